// The six sky box faces. Each texel is painted from the world direction it is seen in, using the
// sky box's own corners and texture coordinates per face, so neighbouring faces meet without a
// seam. The faces are BMP files: t = 0 is the bottom row of the picture.
#include <array>

#include "textures.h"

namespace {

// Where the game's sun sits: the lens flare's offset from the eye.
const Vec3 kSun = Normalize({1000, 530, 580});

struct FaceFrame {
    const char* file;
    Vec3 origin;  // the cube corner drawn with (s, t) = (0, 0), for a cube of half edge 1
    Vec3 sEdge;   // from there to the corner drawn with (1, 0)
    Vec3 tEdge;   // from there to the corner drawn with (0, 1)
};

// The sky box's table of faces in its loading order: "z+" is the top, "z-" the bottom, "x-" the
// face at x = +h, "x+" at x = -h, "y+" at z = +h and "y-" at z = -h.
const std::array<FaceFrame, 6> kFaces = {{
    {"z+.bmp", {1, 1, 1}, {-2, 0, 0}, {0, 0, -2}},
    {"z-.bmp", {1, -1, -1}, {-2, 0, 0}, {0, 0, 2}},
    {"x-.bmp", {1, -1, -1}, {0, 0, 2}, {0, 2, 0}},
    {"x+.bmp", {-1, -1, 1}, {0, 0, -2}, {0, 2, 0}},
    {"y+.bmp", {1, -1, 1}, {-2, 0, 0}, {0, 2, 0}},
    {"y-.bmp", {-1, -1, -1}, {2, 0, 0}, {0, 2, 0}},
}};

Rgb SkyColour(Vec3 d) {
    const Rgb zenith{0.14f, 0.33f, 0.75f}, horizon{0.70f, 0.81f, 0.93f};
    const Rgb haze{0.50f, 0.56f, 0.56f}, nadir{0.24f, 0.29f, 0.26f};
    float up = d.y;
    Rgb c = up >= 0 ? Mix(horizon, zenith, std::pow(up, 0.6f))
                    : Mix(Mix(horizon, haze, SmoothStep(0.0f, 0.06f, -up)), nadir,
                          SmoothStep(0.06f, 0.6f, -up));
    float towardSun = std::max(0.0f, Dot(d, kSun));

    // Soft clouds on a layer overhead, thinning out towards the horizon.
    if (up > 0) {
        float scale = 1.5f / (up + 0.12f);
        Vec3 layer{d.x * scale, d.z * scale, 0.5f};
        float density = Fbm3(layer, 5, 171);
        float cover = SmoothStep(0.47f, 0.72f, density) * SmoothStep(0.0f, 0.2f, up);
        Rgb lit = Mix(Rgb{0.74f, 0.77f, 0.83f}, Rgb{1.0f, 0.97f, 0.92f}, towardSun);
        Rgb cloud = lit * (0.85f + 0.2f * Fbm3(layer * 3.0f, 3, 172));
        c = Mix(c, cloud, cover * 0.85f);
    }

    // The glow round the sun and the sun's disc (about 1.5 degrees across).
    c = c + Rgb{0.9f, 0.75f, 0.45f} *
                (0.15f * std::pow(towardSun, 8.0f) + 0.35f * std::pow(towardSun, 64.0f) +
                 0.6f * std::pow(towardSun, 1500.0f));
    return c + Rgb{1.0f, 1.0f, 1.0f} * SmoothStep(0.99955f, 0.99975f, towardSun);
}

}  // namespace

std::vector<SkyFace> PaintSky(int size) {
    std::vector<SkyFace> faces;
    for (const FaceFrame& face : kFaces) {
        Image image(size, size);
        image.paint([&](float s, float v) {
            float t = 1 - v;  // BMP rows: the top row of the picture is t = 1
            return SkyColour(Normalize(face.origin + face.sEdge * s + face.tEdge * t));
        });
        faces.push_back({face.file, std::move(image)});
    }
    return faces;
}
