// The one-shot keys that scripted play does not show (the play tests press C and R): F12's
// lighting switch, C from the orbit view, and letter keys in either case.
#include <GL/glew.h>

#include <GL/freeglut.h>

#include "core/globals.h"
#include "app/input.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "support/player_world.h"

namespace {

using InputTest = PlayerWorld;

// F12 turns lighting off at once and leaves turning it on to the frame; C leaves the orbit for
// follow; letter keys act in either case (a key released under SHIFT arrives in upper case).
TEST_F(InputTest, TheOneShotKeys) {
    lighting = true;
    glEnable(GL_LIGHTING);
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_FALSE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_TRUE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    camera->mode = 3;
    Keyboard('C', 0, 0);
    EXPECT_EQ(camera->mode, 0);

    const struct {
        unsigned char down, up;
        bool* state;
    } keys[] = {{'w', 'W', &keyForward}, {'Q', 'q', &avatar->wallJumpArmed}, {' ', ' ', &keyJump}};
    for (const auto& key : keys) {
        Keyboard(key.down, 0, 0);
        EXPECT_TRUE(*key.state) << key.down;
        KeyboardUp(key.up, 0, 0);
        EXPECT_FALSE(*key.state) << key.up;
    }
}

}  // namespace
