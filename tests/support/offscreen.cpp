#include "support/offscreen.h"

#include <GL/glew.h>

void Offscreen::Clear() const {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::array<int, 3> Pixels::At(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Pixels::CountNotOf(std::array<int, 3> colour) const {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) count += At(x, y) != colour;
    return count;
}
