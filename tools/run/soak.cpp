#include "run/soak.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <iterator>

#include "app/input.h"
#include "common/leak_check.h"
#include "core/globals.h"
#include "render/particles.h"

namespace {

// Keys held down for a while (movement, jump, the free camera) and keys that act once (wall jump,
// interact, respawn point, camera mode, console prints). Escape is left out: it quits.
constexpr unsigned char kHeldKeys[] = {' ', 'w', 's', 'a', 'd', 'i', 'k', 'j', 'l', 'u', 'o'};
constexpr unsigned char kPressedKeys[] = {'q', 'e', 'r', 'c', 'f', 't', 'p'};
constexpr int kButtons[] = {GLUT_LEFT_BUTTON, GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON};
constexpr int kFunctionKeys[] = {GLUT_KEY_F1, GLUT_KEY_F2,  GLUT_KEY_F3,  GLUT_KEY_F4,
                                 GLUT_KEY_F5, GLUT_KEY_F6,  GLUT_KEY_F7,  GLUT_KEY_F8,
                                 GLUT_KEY_F9, GLUT_KEY_F10, GLUT_KEY_F11, GLUT_KEY_F12};

}  // namespace

void RandomInput::Apply() {
    if (Chance(100)) {
        const unsigned char key = kHeldKeys[Pick(std::size(kHeldKeys))];
        if (keysDown_[key])
            KeyboardUp(key, 0, 0);
        else
            Keyboard(key, 0, 0);
        keysDown_[key] = !keysDown_[key];
    }
    // A pause holds the world still: it is let go of soon after.
    if (Chance(paused ? 50 : 10)) {
        const unsigned char key = paused ? 'p' : kPressedKeys[Pick(std::size(kPressedKeys))];
        Keyboard(key, 0, 0);
        KeyboardUp(key, 0, 0);
    }
    if (Chance(80)) {
        const uint32_t b = Pick(std::size(kButtons));
        MouseButton(kButtons[b], buttonsDown_[b] ? GLUT_UP : GLUT_DOWN, 0, 0);
        buttonsDown_[b] = !buttonsDown_[b];
    }
    if (Chance(300))
        MouseMotion(static_cast<int>(Pick(static_cast<uint32_t>(winResX))),
                    static_cast<int>(Pick(static_cast<uint32_t>(winResY))));
    // Texture reloads (F4, F5) read every texture again: rare enough to keep the run short.
    if (functionKeys_ && Chance(3)) {
        const int key = kFunctionKeys[Pick(std::size(kFunctionKeys))];
        SpecialKeys(key, 0, 0);
        switched_[key] = !switched_[key];
    }
}

void RandomInput::RestoreSwitches() {
    for (int key : kFunctionKeys) {
        if (!switched_[key]) continue;
        SpecialKeys(key, 0, 0);
        switched_[key] = false;
    }
}

void ReportSoak(int frame) {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    std::fprintf(stderr,
                 "zorvan-run: frame %d: resident memory %ld KB, heap in use %zu KB, %zu objects, "
                 "%zu enemies, %zu projectiles, %d particles\n",
                 frame, resident * (sysconf(_SC_PAGESIZE) / 1024), HeapBytesInUse() / 1024,
                 objects.size(), enemies.size(), projectiles.size(), particles->particleCount());
}
