// Deterministic noise for painting textures: integer hashing with fixed seeds, no global state.
// The 2D functions tile: with period p across, noise(x + p, y) == noise(x, y), so textures that
// sample them over one period wrap without a seam.
#pragma once

#include <cstdint>

#include "vec3.h"

// A well-mixed 32-bit hash of lattice coordinates and a seed.
uint32_t Hash(int32_t x, int32_t y, int32_t z, uint32_t seed);
// The same, as a float in [0, 1).
float HashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed);

// Smoothly interpolated lattice values in [0, 1]; the lattice wraps every periodX cells across
// and periodY cells down (stretched noise for grain and brushing has unequal periods).
float ValueNoise(float x, float y, int periodX, int periodY, uint32_t seed);
// Fractal sum of `octaves` noise layers, each twice the frequency and half the weight of the one
// before; in [0, 1], centred near 0.5. The periods are those of the first layer.
float Fbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed);

// Non-tiling noise in space, for painting by direction (the sky, the ball).
float ValueNoise3(Vec3 p, uint32_t seed);
float Fbm3(Vec3 p, int octaves, uint32_t seed);
