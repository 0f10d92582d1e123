// The particle sheet: sixteen 64-pixel cells whose rectangles data\game.ini lists. Particles are
// added to the picture, so every cell lies on black and is black along its border (filtering never
// bleeds a neighbour in). Cells 8-15 vary the shapes of cells 0-7 in other colours.
#include <array>

#include "textures.h"

namespace {

enum class Shape { Ring, Smoke, Flash, Spark, Glow, Star, Marker, Sparkle };

struct Cell {
    Shape shape;
    Rgb colour;  // the shape's colour; flashes run from it to a hot white core
};

const std::array<Cell, 16> kCells = {{
    {Shape::Ring, {0.7f, 0.95f, 1.0f}},     // 0 burst ring where the avatar loses a life
    {Shape::Smoke, {0.55f, 0.55f, 0.55f}},  // 1 smoke puff
    {Shape::Flash, {1.0f, 0.35f, 0.05f}},   // 2 explosion flash
    {Shape::Spark, {1.0f, 0.85f, 0.45f}},   // 3 spark
    {Shape::Glow, {0.9f, 0.95f, 1.0f}},     // 4 soft glow
    {Shape::Star, {1.0f, 0.95f, 0.6f}},     // 5 star
    {Shape::Marker, {1.0f, 0.78f, 0.28f}},  // 6 ring marker: a soft golden circle
    {Shape::Sparkle, {1.0f, 0.95f, 0.8f}},  // 7 sparkle
    {Shape::Ring, {0.5f, 1.0f, 0.5f}},      // 8-15: variations
    {Shape::Smoke, {0.35f, 0.38f, 0.45f}},
    {Shape::Flash, {0.2f, 0.4f, 1.0f}},
    {Shape::Spark, {1.0f, 0.3f, 0.2f}},
    {Shape::Glow, {0.4f, 1.0f, 0.5f}},
    {Shape::Star, {0.5f, 0.7f, 1.0f}},
    {Shape::Marker, {0.3f, 0.7f, 1.0f}},
    {Shape::Sparkle, {1.0f, 0.5f, 0.85f}},
}};

float Gauss(float x, float width) {
    return std::exp(-(x / width) * (x / width));
}

// Brightness of a shape at (x, y) in [-1, 1] (y up), before its colour.
float ShapeLight(Shape shape, float x, float y, int seed) {
    float r = std::sqrt(x * x + y * y), angle = std::atan2(y, x);
    switch (shape) {
        case Shape::Ring: return Gauss(r - 0.62f, 0.1f) + 0.25f * std::exp(-r * r * 4);
        case Shape::Smoke: {
            float puff = Fbm3({x * 2.5f, y * 2.5f, seed * 7.0f}, 4, 151);
            return 0.9f * SmoothStep(0.9f, 0.15f, r + 0.5f * (0.5f - puff)) * (0.6f + 0.6f * puff);
        }
        case Shape::Flash: {
            float n = Fbm3({x * 3, y * 3, seed * 5.0f}, 4, 152);
            return 1.5f * SmoothStep(0.95f, 0.05f, r + 0.35f * (n - 0.5f));
        }
        case Shape::Spark:
            return std::exp(-r * r * 25) + std::exp(-std::fabs(y) * 30 - std::fabs(x) * 2.5f) +
                   std::exp(-std::fabs(x) * 30 - std::fabs(y) * 2.5f);
        case Shape::Glow: return std::exp(-r * r * 5);
        case Shape::Star: {
            float spike = std::pow(std::fabs(std::cos(2.5f * (angle - kPi / 2))), 4.0f);
            float edge = 0.25f + 0.5f * spike;
            return SmoothStep(edge + 0.08f, edge - 0.04f, r) * (1 - 0.4f * r) +
                   0.3f * std::exp(-r * r * 6);
        }
        case Shape::Marker: return 0.9f * Gauss(r - 0.55f, 0.13f) + 0.35f * std::exp(-r * r * 6);
        case Shape::Sparkle:
            return std::exp(-r * r * 50) + Gauss(y, 0.03f) * (1 - std::fabs(x)) +
                   Gauss(x, 0.03f) * (1 - std::fabs(y)) +
                   0.5f * Gauss(x - y, 0.03f) * SmoothStep(0.5f, 0.0f, r) +
                   0.5f * Gauss(x + y, 0.03f) * SmoothStep(0.5f, 0.0f, r);
    }
    return 0;
}

Rgb CellTexel(int type, float x, float y) {
    const Cell& cell = kCells[type];
    float r = std::sqrt(x * x + y * y);
    float window = SmoothStep(0.96f, 0.8f, r);
    float light = std::min(1.2f, ShapeLight(cell.shape, x, y, type)) * window;
    if (cell.shape == Shape::Flash)  // hot core
        return Mix(cell.colour, Rgb{1.0f, 0.95f, 0.75f}, std::min(1.0f, light * light)) *
               std::min(1.0f, light);
    return cell.colour * light;
}

}  // namespace

Image PaintSpriteSheet() {
    const int cell = 64, size = 4 * cell;
    Image sheet(size, size);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            int type = (py / cell) * 4 + px / cell;
            float x = ((px % cell) + 0.5f) / cell * 2 - 1;
            float y = 1 - ((py % cell) + 0.5f) / cell * 2;
            sheet.at(px, py) = CellTexel(type, x, y);
        }
    return sheet;
}
