// A small off-screen framebuffer for drawing tests, cleared to black when it is made, and the RGB
// pixels read back from it or from a texture.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/render_target.h"

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // rows as OpenGL reads them: the bottom row first

    std::array<int, 3> At(int x, int y) const;
    // The number of pixels whose colour differs from `colour` in some channel.
    int CountNotOf(std::array<int, 3> colour) const;
    bool operator==(const Pixels&) const = default;
};

class Offscreen : public RenderTarget {
public:
    static constexpr int kSize = 64;
    explicit Offscreen(int width = kSize, int height = kSize) : RenderTarget(width, height) {
        Clear();
    }

    void Clear() const;
    Pixels Read() const { return {width, height, ReadRgb()}; }
};
