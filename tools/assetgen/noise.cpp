#include "noise.h"

#include <cmath>
#include <initializer_list>

namespace {

// Quintic fade: continuous slope and curvature across lattice cells.
float Fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}
float Mix(float a, float b, float t) {
    return a + (b - a) * t;
}

int Wrap(int i, int period) {
    int r = i % period;
    return r < 0 ? r + period : r;
}

}  // namespace

uint32_t Hash(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    for (int32_t v : {x, y, z}) {
        h ^= static_cast<uint32_t>(v) + 0x7F4A7C15u + (h << 6) + (h >> 2);
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
    }
    h *= 0xC2B2AE35u;
    return h ^ (h >> 16);
}

float HashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return static_cast<float>(Hash(x, y, z, seed) >> 8) * (1.0f / 16777216.0f);
}

float ValueNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = Fade(x - fx), ty = Fade(y - fy);
    int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
    int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
    float top = Mix(HashUnit(x0, y0, 0, seed), HashUnit(x1, y0, 0, seed), tx);
    float bottom = Mix(HashUnit(x0, y1, 0, seed), HashUnit(x1, y1, 0, seed), tx);
    return Mix(top, bottom, ty);
}

float Fbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed) {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * ValueNoise(x, y, periodX, periodY, seed + static_cast<uint32_t>(o) * 101u);
        total += weight;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

float ValueNoise3(Vec3 p, uint32_t seed) {
    float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    float tx = Fade(p.x - fx), ty = Fade(p.y - fy), tz = Fade(p.z - fz);
    auto at = [&](int dx, int dy, int dz) { return HashUnit(ix + dx, iy + dy, iz + dz, seed); };
    float near = Mix(Mix(at(0, 0, 0), at(1, 0, 0), tx), Mix(at(0, 1, 0), at(1, 1, 0), tx), ty);
    float far = Mix(Mix(at(0, 0, 1), at(1, 0, 1), tx), Mix(at(0, 1, 1), at(1, 1, 1), tx), ty);
    return Mix(near, far, tz);
}

float Fbm3(Vec3 p, int octaves, uint32_t seed) {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * ValueNoise3(p, seed + static_cast<uint32_t>(o) * 101u);
        total += weight;
        p = p * 2.0f;
        weight *= 0.5f;
    }
    return sum / total;
}
