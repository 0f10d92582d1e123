// The game step: GLUT's idle callback advances the game by the wall-clock time since the last step.
#include <GL/freeglut.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/removal.h"
#include "app/shell.h"
#include "platform/perf_counter.h"
#include "scene/animation_object.h"

void StartPhysics() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    perfNow = counter.QuadPart;
    gameTime = static_cast<double>(perfNow) / static_cast<double>(perfFrequency);
    timeDelta = static_cast<double>(perfNow - perfLast) / static_cast<double>(perfFrequency);
    perfLast = perfNow;

    RemovalPass(
        animations, [](AnimationObject* a) { return a->finished; },
        [](AnimationObject* a) { a->animate(timeDelta); }, [](AnimationObject*) {});
}

void ProcessInput() {}

void Idle() {
    glLoadIdentity();
    if (paused) return;
    if (pendingCamMode != -1) pendingCamMode = -1;
    StartPhysics();
    ProcessInput();
    glutPostRedisplay();
}

float randomFloat(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(std::rand() % 10001) / 10000.0f;
}
