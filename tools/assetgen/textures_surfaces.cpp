// Textures of the level pieces, the door and the weapons. Those of tiled surfaces wrap without a
// seam: their noise repeats with the texture.
#include "textures.h"

namespace {

Rgb Grass(float u, float v) {
    float broad = Fbm(u * 4, v * 4, 4, 4, 4, 11);
    float blades = Fbm(u * 96, v * 24, 96, 24, 2, 12);  // stretched: short upright strokes
    float patches = Fbm(u * 3, v * 3, 3, 3, 3, 13);
    Rgb dark{0.13f, 0.27f, 0.07f}, light{0.36f, 0.56f, 0.15f}, dry{0.50f, 0.47f, 0.22f};
    Rgb c = Mix(dark, light, SmoothStep(0.25f, 0.75f, broad * 0.5f + blades * 0.5f));
    c = Mix(c, dry, SmoothStep(0.58f, 0.72f, patches) * 0.55f);
    return c * (0.88f + 0.24f * Grain(u, v, 512, 14));
}

Rgb Concrete(float u, float v) {
    Rgb c{0.60f, 0.59f, 0.56f};
    c = c * (0.82f + 0.36f * Fbm(u * 8, v * 8, 8, 8, 5, 21));
    c = c * (0.94f + 0.10f * Grain(u, v, 512, 22));
    c = c * (1 - 0.22f * SmoothStep(0.55f, 0.75f, Fbm(u * 2, v * 2, 2, 2, 4, 23)));  // stains
    // Two by two slabs with cast joints.
    float joint = std::min(EdgeDistance(u + 0.25f, 2), EdgeDistance(v + 0.25f, 2)) / 2;
    return c * (0.5f + 0.5f * SmoothStep(0.002f, 0.005f, joint));
}

Rgb FloorTiles(float u, float v) {
    const int n = 4;
    int iu = static_cast<int>(u * n), iv = static_cast<int>(v * n);
    float fu = Fract(u * n), fv = Fract(v * n);
    Rgb c = Mix(Rgb{0.60f, 0.58f, 0.54f}, Rgb{0.72f, 0.67f, 0.60f}, HashUnit(iu, iv, 0, 31));
    c = c * (0.9f + 0.2f * Fbm(u * 16, v * 16, 16, 16, 3, 32));
    float edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
    float bevel = (fu < 0.06f || fv < 0.06f)               ? 1.12f
                  : ((1 - fu) < 0.06f || (1 - fv) < 0.06f) ? 0.85f
                                                           : 1.0f;
    c = c * bevel;
    return Mix(Rgb{0.25f, 0.24f, 0.22f}, c, SmoothStep(0.012f, 0.02f, edge));
}

Rgb TreadPlate(float u, float v) {
    Rgb c = Rgb{0.56f, 0.58f, 0.61f} * (0.82f + 0.3f * Fbm(u * 4, v * 64, 4, 64, 3, 41));
    const int n = 8;
    int iu = static_cast<int>(u * n), iv = static_cast<int>(v * n);
    float x = Fract(u * n) - 0.5f, y = Fract(v * n) - 0.5f;
    float sign = ((iu + iv) & 1) ? 1.0f : -1.0f;  // the bumps alternate their slant
    float a = (x + sign * y) * 0.7071f, b = (y - sign * x) * 0.7071f;
    float d = (a / 0.34f) * (a / 0.34f) + (b / 0.09f) * (b / 0.09f);
    float bump = 1 - SmoothStep(0.7f, 1.0f, d);
    float light = -(x + y) * 2.5f;  // lit from the top left
    return c * (1 + bump * (0.15f + 0.35f * light)) * (0.95f + 0.08f * Grain(u, v, 256, 42));
}

Rgb MetalPanel(float u, float v) {
    const int n = 2;
    float fu = Fract(u * n), fv = Fract(v * n);
    int iu = static_cast<int>(u * n), iv = static_cast<int>(v * n);
    Rgb c = Rgb{0.46f, 0.49f, 0.53f} * (0.92f + 0.12f * HashUnit(iu, iv, 0, 51));
    c = c * (0.85f + 0.2f * Fbm(u * 2, v * 48, 2, 48, 3, 52));  // brushed
    float edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
    if (fu < 0.03f || fv < 0.03f) c = c * 1.18f;
    if (1 - fu < 0.03f || 1 - fv < 0.03f) c = c * 0.8f;
    c = c * (0.35f + 0.65f * SmoothStep(0.004f, 0.01f, edge));
    c = CornerRivets(c, fu, fv, 0.08f, 0.03f, {0.6f, 0.62f, 0.66f});
    float grime = Fbm(u * 6, v * 6, 6, 6, 4, 53) * SmoothStep(0.5f, 1.0f, fv);
    return c * (1 - 0.35f * grime);
}

Rgb Crate(float u, float v) {
    Rgb light{0.66f, 0.46f, 0.24f}, dark{0.44f, 0.28f, 0.12f};
    const float frame = 0.13f;
    bool onFrame = u < frame || u > 1 - frame || v < frame || v > 1 - frame;
    bool upright = (u < frame || u > 1 - frame) && v > frame && v < 1 - frame;
    float brace = std::fabs(u - v) * 0.7071f;
    bool onBrace = !onFrame && brace < 0.075f;
    // Grain runs along each board; boards differ a little in tint.
    float along = upright ? v : onBrace ? (u + v) * 0.5f : u;
    float across = upright ? u : onBrace ? (u - v) : v;
    int board = onFrame ? (upright ? 7 : 8) : onBrace ? 9 : static_cast<int>(v * 5);
    float grain = Fbm(along * 3 + board * 0.37f, across * 40, 3, 40, 4, 61);
    Rgb c = Mix(dark, light, SmoothStep(0.3f, 0.7f, grain));
    c = c * (0.88f + 0.16f * HashUnit(board, 0, 0, 62));
    if (onFrame || onBrace) c = c * 0.88f;
    // Dark gaps between planks and round the frame and brace.
    float gap = 1;
    if (!onFrame && !onBrace) gap = SmoothStep(0.0f, 0.012f, EdgeDistance(v, 5) / 5);
    float frameEdge = std::min(std::fabs(u - frame), std::fabs(u - (1 - frame)));
    frameEdge = std::min(frameEdge, std::min(std::fabs(v - frame), std::fabs(v - (1 - frame))));
    if (!onFrame) frameEdge = std::min(frameEdge, std::fabs(brace - 0.075f));
    gap *= 0.35f + 0.65f * SmoothStep(0.002f, 0.008f, frameEdge);
    c = c * gap;
    return CornerRivets(c, u, v, frame / 2, 0.018f, {0.25f, 0.25f, 0.27f});
}

Rgb Door(float u, float v) {
    Rgb c = Rgb{0.40f, 0.45f, 0.52f} * (0.88f + 0.16f * Fbm(u * 4, v * 32, 4, 32, 3, 71));
    float rib = Fract(u * 6);
    c = c * (rib < 0.5f ? 1.05f + 0.1f * rib : 1.1f - 0.4f * (rib - 0.5f));
    if (v > 0.8f) {  // a hazard band along the bottom edge
        bool yellow = Fract((u + v) * 5) < 0.5f;
        c = (yellow ? Rgb{0.95f, 0.72f, 0.08f} : Rgb{0.08f, 0.08f, 0.08f}) *
            (0.9f + 0.15f * Fbm(u * 16, v * 16, 16, 16, 3, 72));
    }
    float seam = std::min(std::fabs(v - 0.8f), std::min(v, std::min(u, 1 - u)));
    return c * (0.35f + 0.65f * SmoothStep(0.004f, 0.012f, seam));
}

Rgb Gold(float u, float v) {
    float streak = Fbm(u * 64, v * 2, 64, 2, 3, 81);
    Rgb c = Rgb{0.95f, 0.70f, 0.22f} * (0.55f + 0.65f * streak);
    return Mix(c, Rgb{1.0f, 0.95f, 0.7f},
               SmoothStep(0.7f, 0.9f, Fbm(u * 8, v * 4, 8, 4, 3, 82)) * 0.5f);
}

Rgb Gunmetal(float u, float v) {
    Rgb c = Rgb{0.27f, 0.29f, 0.33f} * (0.8f + 0.35f * Fbm(u * 2, v * 64, 2, 64, 3, 91));
    float scratches = SmoothStep(0.78f, 0.85f, Fbm(u * 32, v * 4, 32, 4, 2, 92));
    return Mix(c, Rgb{0.55f, 0.57f, 0.6f}, scratches * 0.5f);
}

}  // namespace

const std::vector<TextureAsset>& SurfaceTextures() {
    static const std::vector<TextureAsset> textures = {
        {"grass.jpg", 512, 512, Grass},
        {"concrete.jpg", 512, 512, Concrete},
        {"tiles.jpg", 512, 512, FloorTiles},
        {"tread_plate.jpg", 256, 256, TreadPlate},
        {"metal_panel.jpg", 256, 256, MetalPanel},
        {"crate.jpg", 256, 256, Crate},
        {"door.jpg", 256, 256, Door},
        {"gold.jpg", 256, 256, Gold},
        {"gunmetal.jpg", 256, 256, Gunmetal},
    };
    return textures;
}
