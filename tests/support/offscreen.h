// A small off-screen framebuffer for drawing tests, cleared to black when it is made.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/render_target.h"

class Offscreen : public RenderTarget {
public:
    static constexpr int kSize = 64;
    Offscreen() : RenderTarget(kSize, kSize) { Clear(); }

    void Clear() const;
    std::vector<uint8_t> Read() const { return ReadRgb(); }
};

// The RGB of pixel (x, y) in a Read() result.
std::array<int, 3> PixelAt(const std::vector<uint8_t>& pixels, int x, int y);
// The number of pixels whose colour differs from `colour` in some channel.
int CountPixelsNotOf(const std::vector<uint8_t>& pixels, std::array<int, 3> colour);
