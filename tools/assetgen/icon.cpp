#include "icon.h"

#include <IL/il.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/png_file.h"
#include "textures.h"
#include "vec3.h"

namespace {

constexpr int kSize = 256;
constexpr int kSamples = 4;  // per side of a pixel, for smooth edges
constexpr float kRadius = 0.46f;

// The ball texture's painter, so the icon shows the ball the game draws.
Painter BallPainter() {
    for (const TextureAsset& texture : CharacterTextures())
        if (std::strcmp(texture.file, "ball.jpg") == 0) return texture.paint;
    return nullptr;
}

// The lit colour of the ball where the view meets it at normal n (view space, y up, z towards
// the viewer); the ball is turned so that three of its panel colours face the viewer.
Rgb BallAt(Painter paint, Vec3 n) {
    const float tilt = 0.45f, turn = 0.6f;
    Vec3 d{n.x, n.y * std::cos(tilt) - n.z * std::sin(tilt),
           n.y * std::sin(tilt) + n.z * std::cos(tilt)};
    d = {d.x * std::cos(turn) + d.z * std::sin(turn), d.y,
         -d.x * std::sin(turn) + d.z * std::cos(turn)};
    float around = std::atan2(d.x, d.z);
    if (around < 0) around += 2 * kPi;
    Rgb colour = paint(around / (2 * kPi), std::acos(std::fmax(-1.0f, std::fmin(1.0f, d.y))) / kPi);
    const Vec3 light = Normalize({-0.5f, 0.7f, 0.6f});
    float diffuse = std::fmax(0.0f, Dot(n, light));
    Vec3 reflected = n * (2 * Dot(n, light)) - light;
    float specular = std::pow(std::fmax(0.0f, reflected.z), 30.0f) * 0.6f;
    return colour * (0.3f + 0.75f * diffuse) + Rgb{specular, specular, specular};
}

}  // namespace

bool WriteIcon(const std::string& path, std::string& error) {
    ilInit();
    Painter paint = BallPainter();
    std::vector<uint8_t> rgba(kSize * kSize * 4);
    for (int row = 0; row < kSize; ++row)  // bottom-up, as the PNG writer takes them
        for (int column = 0; column < kSize; ++column) {
            Rgb sum;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    float x = ((column + (sx + 0.5f) / kSamples) / kSize - 0.5f) / kRadius;
                    float y = ((row + (sy + 0.5f) / kSamples) / kSize - 0.5f) / kRadius;
                    float z2 = 1 - x * x - y * y;
                    if (z2 <= 0) continue;
                    sum = sum + BallAt(paint, {x, y, std::sqrt(z2)});
                    ++covered;
                }
            uint8_t* texel = &rgba[(row * kSize + column) * 4];
            Rgb c = covered > 0 ? sum * (1.0f / covered) : Rgb{};
            texel[0] = static_cast<uint8_t>(std::lround(Clamp01(c.r) * 255));
            texel[1] = static_cast<uint8_t>(std::lround(Clamp01(c.g) * 255));
            texel[2] = static_cast<uint8_t>(std::lround(Clamp01(c.b) * 255));
            texel[3] = static_cast<uint8_t>(covered * 255 / (kSamples * kSamples));
        }
    if (!SavePng(path.c_str(), kSize, kSize, rgba, 4)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
