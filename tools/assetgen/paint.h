// Small shape helpers for painting texels as functions of (u, v): distances, bands and the
// picture catalogue's painter signature.
#pragma once

#include <cmath>

#include "colour.h"
#include "noise.h"

// Paints one texel: u across from the left, v down from the top, both in [0, 1).
using Painter = Rgb (*)(float u, float v);

inline float Fract(float x) {
    return x - std::floor(x);
}

// Distance from a cell's edge for a repeat of n cells across [0, 1): 0 on the border, 0.5 in the
// middle of a cell.
inline float EdgeDistance(float x, int n) {
    float f = Fract(x * n);
    return std::min(f, 1 - f);
}

// 1 inside a band of half-width `half` around distance 0, fading over `soft`.
inline float Band(float distance, float half, float soft) {
    return 1 - SmoothStep(half, half + soft, std::fabs(distance));
}

// Per-texel grain in [0, 1), tiling with a texture of `size` texels.
inline float Grain(float u, float v, int size, uint32_t seed) {
    return HashUnit(static_cast<int>(u * size), static_cast<int>(v * size), 0, seed);
}

// A rivet of radius r at (cx, cy): 0 outside, otherwise a dome shade in [-1, 1] lit from the top
// left, and the coverage in `inside`.
inline float Rivet(float u, float v, float cx, float cy, float r, float& inside) {
    float dx = (u - cx) / r, dy = (v - cy) / r;
    float d2 = dx * dx + dy * dy;
    inside = 1 - SmoothStep(0.8f, 1.0f, std::sqrt(d2));
    return inside * (-dx - dy) * 0.7f;
}

// Four rivets of radius r and colour `metal` on `c`, `inset` in from each corner.
inline Rgb CornerRivets(Rgb c, float u, float v, float inset, float r, Rgb metal) {
    for (float cx : {inset, 1 - inset})
        for (float cy : {inset, 1 - inset}) {
            float inside;
            float shade = Rivet(u, v, cx, cy, r, inside);
            c = Mix(c, metal * (1 + shade), inside);
        }
    return c;
}
