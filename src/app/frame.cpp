// The frame: GLUT's display callback draws the world back to front and swaps the buffers.
#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/globals.h"
#include "app/shaders.h"
#include "app/shell.h"

void DrawLightMarker() {
    glPushMatrix();
    glTranslatef(lightPosition[0], lightPosition[1], lightPosition[2]);
    glColor3f(1, 1, 1);
    glutSolidSphere(0.1, 10, 10);
    glPopMatrix();
}

void Display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (lighting) glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    DrawLightMarker();
    if (lighting) glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    // The model renderer leaves its last program bound.
    if (gl20Supported && glslSupported && useOwnShader) glUseProgram(0);
    if (lighting) glDisable(GL_LIGHTING);
    glFlush();
    glutSwapBuffers();
}

void Reshape(int w, int h) {
    if (h == 0) h = 1;
    glViewport(0, 0, w, h);
}
