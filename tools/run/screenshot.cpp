#include "run/screenshot.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <vector>

#include "common/png_file.h"

bool SaveScreenshot(const char* file) {
    int width = glutGet(GLUT_WINDOW_WIDTH);
    int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    glFinish();
    // The back buffer keeps the frame after the swap with the software renderer; the front
    // buffer of an unexposed window reads black.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return SavePng(file, width, height, pixels);
}
