#include "platform/cursor.h"

#include <GL/freeglut.h>

namespace {
int displayCounter = 0;
}

int ShowCursor(BOOL show) {
    displayCounter += show ? 1 : -1;
    if (glutGetWindow() != 0) ApplyCursorVisibility();
    return displayCounter;
}

void ApplyCursorVisibility() {
    glutSetCursor(displayCounter >= 0 ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
}
