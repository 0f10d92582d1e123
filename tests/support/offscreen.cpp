#include "support/offscreen.h"

#include <cstdlib>

Offscreen::Offscreen() {
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kSize, kSize);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kSize, kSize);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glViewport(0, 0, kSize, kSize);
    Clear();
}

Offscreen::~Offscreen() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteFramebuffers(1, &framebuffer_);
}

void Offscreen::Clear() const {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<uint8_t> Offscreen::Read() const {
    std::vector<uint8_t> pixels(kSize * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::array<int, 3> PixelAt(const std::vector<uint8_t>& pixels, int x, int y) {
    const uint8_t* p = &pixels[(y * Offscreen::kSize + x) * 3];
    return {p[0], p[1], p[2]};
}

int CountPixelsNotOf(const std::vector<uint8_t>& pixels, std::array<int, 3> colour) {
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] != colour[0] || pixels[i + 1] != colour[1] || pixels[i + 2] != colour[2])
            ++count;
    return count;
}
