// Textures of the avatar's ball, the enemies' skins and the pickup labels. They fit once on each
// face (or once round the ball), so they need not tile.
#include <array>

#include "textures.h"

namespace {

// The ball is painted by direction: (u, v) is the sphere's mapping (u round the y axis from +Z,
// v from the top pole down), so its panels keep their shape on the model. Twelve panels round the
// corners of an icosahedron, in three colours, with dark seams: rolling shows at once.
Rgb Ball(float u, float v) {
    float around = 2 * kPi * u, down = kPi * v;
    Vec3 d{std::sin(down) * std::sin(around), std::cos(down), std::sin(down) * std::cos(around)};
    const float g = 1.6180340f;
    static const std::array<Vec3, 12> corners = [g] {
        std::array<Vec3, 12> c{};
        int i = 0;
        for (float a : {-1.0f, 1.0f})
            for (float b : {-g, g}) {
                c[i++] = Normalize({0, a, b});
                c[i++] = Normalize({a, b, 0});
                c[i++] = Normalize({b, 0, a});
            }
        return c;
    }();
    int nearest = 0;
    float best = -2, second = -2;
    for (int i = 0; i < 12; ++i) {
        float closeness = Dot(d, corners[i]);
        if (closeness > best) {
            second = best;
            best = closeness;
            nearest = i;
        } else if (closeness > second) {
            second = closeness;
        }
    }
    static const std::array<Rgb, 3> colours = {Rgb{0.95f, 0.95f, 0.92f}, Rgb{0.95f, 0.45f, 0.08f},
                                               Rgb{0.12f, 0.35f, 0.85f}};
    Rgb c = colours[nearest % 3];
    c = c * (0.92f + 0.12f * Fbm3(d * 6.0f, 3, 101));
    float seam = SmoothStep(0.004f, 0.02f, best - second);
    return c * (0.2f + 0.8f * seam);
}

// A cube enemy's armour plate: a bevelled frame with corner bolts round a slightly worn panel.
Rgb EnemySkin(float u, float v, Rgb colour) {
    Rgb c = colour * (0.82f + 0.25f * Fbm(u * 4, v * 4, 4, 4, 4, 111));
    float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    if (edge < 0.1f) {
        c = c * 0.75f;
        if (u < 0.1f && u <= v && u <= 1 - v) c = c * 1.3f;  // lit bevel on the left and top
        if (v < 0.1f && v <= u && v <= 1 - u) c = c * 1.3f;
    }
    c = c * (0.3f + 0.7f * SmoothStep(0.0f, 0.015f, std::fabs(edge - 0.1f)));
    c = c * (0.3f + 0.7f * SmoothStep(0.0f, 0.012f, edge));
    c = CornerRivets(c, u, v, 0.05f, 0.028f, {0.55f, 0.55f, 0.58f});
    float wear = SmoothStep(0.72f, 0.8f, Fbm(u * 24, v * 3, 24, 3, 3, 112));
    return Mix(c, Rgb{0.6f, 0.6f, 0.62f}, wear * 0.35f);
}

Rgb HealthLabel(float u, float v) {
    Rgb c = Rgb{0.93f, 0.93f, 0.9f} * (0.94f + 0.08f * Fbm(u * 8, v * 8, 8, 8, 3, 121));
    float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    c = Mix(Rgb{0.55f, 0.56f, 0.58f}, c, SmoothStep(0.05f, 0.06f, edge));
    float x = std::fabs(u - 0.5f), y = std::fabs(v - 0.5f);
    float arm = std::min(std::max(x - 0.13f, y - 0.36f), std::max(x - 0.36f, y - 0.13f));
    Rgb red = Rgb{0.88f, 0.08f, 0.07f} * (1.05f - 0.4f * (v - 0.14f));
    return Mix(c, red, 1 - SmoothStep(-0.004f, 0.004f, arm));
}

Rgb AmmoLabel(float u, float v) {
    Rgb c = Rgb{0.33f, 0.37f, 0.18f} * (0.8f + 0.3f * Fbm(u * 6, v * 6, 6, 6, 4, 131));
    float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    c = c * (edge < 0.07f ? 0.7f : 1.0f) * (0.4f + 0.6f * SmoothStep(0.0f, 0.01f, edge));
    // Three cartridges standing side by side: brass cases with copper tips, lit as cylinders.
    for (float cx : {0.34f, 0.5f, 0.66f}) {
        float x = (u - cx) / 0.05f;
        if (std::fabs(x) > 1) continue;
        float roundness = std::sqrt(1 - x * x);
        float shade = 0.45f + 0.55f * roundness - 0.25f * x;
        if (v > 0.42f && v < 0.78f) return Rgb{0.88f, 0.68f, 0.25f} * shade;
        float tipHeight = (0.42f - v) / 0.17f;  // an ogive from 0.42 up to 0.25
        if (v <= 0.42f && tipHeight < 1 && std::fabs(x) < std::sqrt(1 - tipHeight * tipHeight))
            return Rgb{0.78f, 0.42f, 0.2f} * shade;
    }
    float stripe = std::fabs(v - 0.86f);
    return Mix(c, Rgb{0.9f, 0.8f, 0.2f}, 1 - SmoothStep(0.025f, 0.03f, stripe));
}

}  // namespace

const std::vector<TextureAsset>& CharacterTextures() {
    static const std::vector<TextureAsset> textures = {
        {"ball.jpg", 512, 512, Ball},
        {"enemy_red.jpg", 256, 256,
         [](float u, float v) {
             return EnemySkin(u, v, {0.80f, 0.16f, 0.12f});
         }},
        {"enemy_yellow.jpg", 256, 256,
         [](float u, float v) {
             return EnemySkin(u, v, {0.90f, 0.62f, 0.10f});
         }},
        {"enemy_green.jpg", 256, 256,
         [](float u, float v) {
             return EnemySkin(u, v, {0.22f, 0.62f, 0.24f});
         }},
        {"enemy_purple.jpg", 256, 256,
         [](float u, float v) {
             return EnemySkin(u, v, {0.50f, 0.24f, 0.70f});
         }},
        {"health_label.jpg", 256, 256, HealthLabel},
        {"ammo_label.jpg", 256, 256, AmmoLabel},
    };
    return textures;
}
