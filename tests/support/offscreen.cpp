#include "support/offscreen.h"

#include <GL/glew.h>

void Offscreen::Clear() const {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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
