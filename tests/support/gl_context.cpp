#include "support/gl_context.h"

#include <GL/glew.h>  // before every other GL header

#include <GL/freeglut.h>
#include <IL/il.h>

#include "common/leak_check.h"

void GlContext::SetUp() {
    int argc = 1;
    char name[] = "zorvan-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(64, 64);
    glutCreateWindow(name);
    glutHideWindow();
    ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
    ilInit();
    CheckLeaksBeforeLibrariesUnload();
}

void GlContext::TearDown() {
    // Drawing still queued when the program exits would be done while the display closes, where
    // the software renderer can hang compiling it.
    glFinish();
}
