// An off-screen framebuffer with colour and depth, bound while it lives: the cooking tool draws
// its contact sheets into one, and the tests draw into small ones.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

class RenderTarget {
public:
    RenderTarget(int width, int height);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // The RGB bytes of every pixel, bottom row first.
    std::vector<uint8_t> ReadRgb() const;

    const int width, height;

private:
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
};
