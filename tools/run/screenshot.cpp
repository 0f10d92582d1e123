#include "run/screenshot.h"

#include <GL/gl.h>
#include <GL/freeglut.h>
#include <IL/il.h>

#include <vector>

bool SaveScreenshot(const char* file) {
    int width = glutGet(GLUT_WINDOW_WIDTH);
    int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glFinish();
    glReadBuffer(GL_FRONT);  // the frame has been swapped to the front
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    ILuint image = ilGenImage();
    ilBindImage(image);
    // GL rows run bottom-up, which is DevIL's lower-left origin.
    bool ok = ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data()) &&
              (ilEnable(IL_FILE_OVERWRITE), ilSave(IL_PNG, file));
    ilDeleteImage(image);
    return ok;
}
