#include "app/input.h"

#include <GL/freeglut.h>

#include <cctype>
#include <cstdio>

#include "core/globals.h"
#include "app/hud.h"
#include "app/shell.h"
#include "platform/perf_counter.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "sound/sound.h"

bool keyForward, keyBackward, keyLeft, keyRight, keyJump;
bool keyFreeForward, keyFreeBackward, keyFreeLeft, keyFreeRight, keyFreeUp, keyFreeDown;
bool fireLeftHeld, fireRightHeld;
int32_t mouseDX, mouseDY;

namespace {

constexpr unsigned char kEscape = 27;

// The held state that a character key drives, or null.
bool* HeldState(unsigned char key) {
    switch (std::tolower(key)) {
        case ' ': return &keyJump;
        case 'w': return &keyForward;
        case 's': return &keyBackward;
        case 'a': return &keyLeft;
        case 'd': return &keyRight;
        case 'i': return &keyFreeForward;
        case 'k': return &keyFreeBackward;
        case 'j': return &keyFreeLeft;
        case 'l': return &keyFreeRight;
        case 'u': return &keyFreeUp;
        case 'o': return &keyFreeDown;
        default: return nullptr;
    }
}

void TogglePause() {
    if (paused) {
        paused = false;
        // The pause does not count as step time.
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        perfNow = counter.QuadPart;
        QueryPerformanceCounter(&counter);
        perfLast = counter.QuadPart;
    } else {
        paused = true;
    }
}

}  // namespace

void Keyboard(unsigned char key, int, int) {
    if (key == kEscape) ExitGame();
    if (bool* held = HeldState(key)) {
        *held = true;
        return;
    }
    switch (std::tolower(key)) {
        case 'q': avatar->wallJumpArmed = true; break;
        case 'e': avatar->interact(); break;
        case 'r': avatar->setRespawnPoint(); break;
        case 'c': camera->mode = camera->mode < 2 ? camera->mode + 1 : 0; break;
        case 'p': TogglePause(); break;
        case 'f': std::printf("ellapsed time: %f\n", timeDelta); break;
        case 't': std::printf("timedelta: %f\n", timeDelta); break;
        default: break;
    }
}

void KeyboardUp(unsigned char key, int, int) {
    if (bool* held = HeldState(key)) *held = false;
    if (std::tolower(key) == 'q') avatar->wallJumpArmed = false;
}

void SpecialKeys(int key, int, int) {
    switch (key) {
        case GLUT_KEY_F1: showHelp = !showHelp; break;
        case GLUT_KEY_F3:
            wireframe = !wireframe;
            glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
            break;
        case GLUT_KEY_F4:
            useBilinear = !useBilinear;
            ReloadTextures(useBilinear, useMipmaps);
            break;
        case GLUT_KEY_F5:
            useMipmaps = !useMipmaps;
            ReloadTextures(useBilinear, useMipmaps);
            break;
        case GLUT_KEY_F6:
            useVBO = !useVBO;
            rendererUseVBO = useVBO;
            break;
        case GLUT_KEY_F7: ToggleSoundMute(); break;
        case GLUT_KEY_F8: frustumCulling = !frustumCulling; break;
        case GLUT_KEY_F9: transparency = !transparency; break;
        case GLUT_KEY_F10: useOwnShader = !useOwnShader; break;
        case GLUT_KEY_F11:
            flatShading = !flatShading;
            glShadeModel(flatShading ? GL_FLAT : GL_SMOOTH);
            break;
        case GLUT_KEY_F12:
            lighting = !lighting;
            if (!lighting) glDisable(GL_LIGHTING);
            break;
        default: break;
    }
}

void MouseButton(int button, int state, int, int) {
    bool pressed = state == GLUT_DOWN;
    if (button == GLUT_LEFT_BUTTON) fireLeftHeld = pressed;
    if (button == GLUT_RIGHT_BUTTON) fireRightHeld = pressed;
}

void MouseMotion(int x, int y) {
    mouseDX = static_cast<int32_t>(winResX / 2.0 - x);
    mouseDY = static_cast<int32_t>(winResY / 2.0 - y);
    glutPostRedisplay();
}
