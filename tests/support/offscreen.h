// An off-screen framebuffer with colour and depth for drawing tests; bound while it lives, with
// the viewport covering it.
#pragma once

#include <GL/glew.h>

#include <array>
#include <cstdint>
#include <vector>

class Offscreen {
public:
    static constexpr int kSize = 64;
    Offscreen();
    ~Offscreen();
    Offscreen(const Offscreen&) = delete;
    Offscreen& operator=(const Offscreen&) = delete;

    void Clear() const;
    // The RGB bytes of every pixel, bottom row first.
    std::vector<uint8_t> Read() const;

private:
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
};

// The RGB of pixel (x, y) in a Read() result.
std::array<int, 3> PixelAt(const std::vector<uint8_t>& pixels, int x, int y);
// The number of pixels whose colour differs from `colour` in some channel.
int CountPixelsNotOf(const std::vector<uint8_t>& pixels, std::array<int, 3> colour);
