// The game: start-up, then GLUT's main loop, which never returns (Escape ends the process).
#include <GL/freeglut.h>

#include "app/shell.h"

int main(int argc, char** argv) {
    GameStart(argc, argv);
    glutMainLoop();
    return 0;
}
