// Pictures drawn as additive point sprites: the lens flare elements and the crosshairs. They lie
// on black (black adds nothing) and fade to black well inside their border. The rocket HUD image
// is a small icon.
#include "textures.h"

namespace {

// Polar coordinates about the picture's centre: r = 1 at the middle of each border.
struct Polar {
    float r, angle;
};
Polar ToPolar(float u, float v) {
    float x = 2 * u - 1, y = 1 - 2 * v;
    return {std::sqrt(x * x + y * y), std::atan2(y, x)};
}
// Fades everything out before the border so no sprite shows its square.
float Window(float r) {
    return SmoothStep(0.98f, 0.8f, r);
}

Rgb Glow(float u, float v) {
    float r = ToPolar(u, v).r;
    float light = 0.85f * std::exp(-r * r * 5) + 0.6f * std::exp(-r * r * 60);
    return Rgb{1.0f, 0.88f, 0.65f} * light * Window(r);
}

// A thin ring with a faint fill; the channels peak at slightly different radii, like the
// coloured fringe of a real lens.
Rgb Halo(float u, float v) {
    float r = ToPolar(u, v).r;
    auto ring = [r](float at) { return std::exp(-((r - at) / 0.07f) * ((r - at) / 0.07f)); };
    float fill = 0.12f * SmoothStep(0.75f, 0.0f, r);
    return Rgb{0.55f * ring(0.74f) + fill, 0.5f * ring(0.71f) + fill, 0.6f * ring(0.68f) + fill} *
           Window(r);
}

Rgb Streaks(float u, float v) {
    Polar p = ToPolar(u, v);
    float light = 0.7f * std::exp(-p.r * p.r * 40);
    const int rays = 14;
    for (int i = 0; i < rays; ++i) {
        float direction = 2 * kPi * (i + 0.3f * HashUnit(i, 0, 0, 141)) / rays;
        float off = std::remainder(p.angle - direction, 2 * kPi) * p.r;  // distance from the ray
        float reach = 0.45f + 0.5f * HashUnit(i, 1, 0, 141);
        light += 0.55f * std::exp(-(off / 0.012f) * (off / 0.012f)) * SmoothStep(reach, 0.0f, p.r);
    }
    return Rgb{1.0f, 0.95f, 0.85f} * light * Window(p.r);
}

// A ring, four ticks pointing at the centre and a centre dot, with soft edges.
Rgb Crosshair(float u, float v, Rgb colour) {
    float x = 2 * u - 1, y = 1 - 2 * v;
    float r = std::sqrt(x * x + y * y);
    float shape = Band(r - 0.56f, 0.025f, 0.02f);
    float tick = std::min(std::fabs(x), std::fabs(y));
    if (r > 0.22f && r < 0.46f) shape = std::max(shape, Band(tick, 0.02f, 0.02f));
    shape = std::max(shape, 1 - SmoothStep(0.035f, 0.06f, r));
    float glow = 0.25f * std::exp(-((r - 0.56f) / 0.08f) * ((r - 0.56f) / 0.08f));
    return colour * std::min(1.0f, shape + glow) * Window(r);
}

// A rocket in side view, nose to the right, on a dark rounded plate.
Rgb RocketIcon(float u, float v) {
    float x = 2 * u - 1, y = 1 - 2 * v;
    float plate = std::max(std::fabs(x), std::fabs(y));
    Rgb c = Rgb{0.1f, 0.12f, 0.15f} * SmoothStep(0.98f, 0.9f, plate);
    c = c + Rgb{0.3f, 0.5f, 0.7f} * Band(plate - 0.9f, 0.015f, 0.015f);
    float body = std::fabs(y) - 0.14f;
    if (x > -0.55f && x < 0.3f && body < 0) c = Rgb{0.9f, 0.9f, 0.88f} * (1 - 1.8f * y * y);
    float nose = (x - 0.3f) / 0.35f;  // an ogive from 0.3 to 0.65
    if (nose >= 0 && nose < 1 && std::fabs(y) < 0.14f * std::sqrt(1 - nose * nose))
        c = Rgb{0.9f, 0.2f, 0.12f};
    float fin = std::fabs(y) - 0.14f;
    if (x > -0.6f && x < -0.3f && fin > 0 && fin < 0.22f * (x + 0.6f) / 0.3f)
        c = Rgb{0.85f, 0.2f, 0.12f};
    if (x < -0.55f && x > -0.85f && std::fabs(y) < 0.1f * (x + 0.85f) / 0.3f)
        c = Rgb{1.0f, 0.7f, 0.2f} * (0.6f + 0.4f * (x + 0.85f) / 0.3f);  // the flame
    return c;
}

}  // namespace

const std::vector<TextureAsset>& EffectTextures() {
    static const std::vector<TextureAsset> textures = {
        {"glow.jpg", 128, 128, Glow},
        {"halo.jpg", 128, 128, Halo},
        {"streaks.jpg", 256, 256, Streaks},
        {"cross_active.jpg", 128, 128,
         [](float u, float v) {
             return Crosshair(u, v, {1.0f, 0.15f, 0.1f});
         }},
        {"cross_inactive.jpg", 128, 128,
         [](float u, float v) {
             return Crosshair(u, v, {0.85f, 0.85f, 0.85f});
         }},
        {"rocketGUIleft.jpg", 128, 128, RocketIcon},
    };
    return textures;
}
