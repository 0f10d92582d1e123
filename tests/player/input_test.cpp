// The one-shot keys: F12's lighting switch, the camera cycle, the respawn point, and letter keys
// in either case.
#include <GL/glew.h>

#include <GL/freeglut.h>

#include "core/globals.h"
#include "app/input.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "support/player_world.h"

namespace {

using InputTest = PlayerWorld;

TEST_F(InputTest, F12TurnsLightingOffAtOnceAndLeavesTurningOnToTheFrame) {
    lighting = true;
    glEnable(GL_LIGHTING);
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_FALSE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_TRUE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(InputTest, CCyclesFollowChaseFreeAndLeavesOrbitForFollow) {
    camera->mode = 0;
    for (int expected : {1, 2, 0, 1}) {
        Keyboard('c', 0, 0);
        EXPECT_EQ(camera->mode, expected);
    }
    camera->mode = 3;
    Keyboard('C', 0, 0);
    EXPECT_EQ(camera->mode, 0);
}

TEST_F(InputTest, RSpendsTheOneRespawnItemAndThenDoesNothing) {
    PlaceAvatar(NxVec3(1, 2, 3));
    Keyboard('r', 0, 0);
    EXPECT_EQ(avatar->respawnItems, 0);
    EXPECT_EQ(avatar->respawnPoint.y, 2.3f);
    EXPECT_EQ(avatar->respawnPoint.x, 1.0f);

    PlaceAvatar(NxVec3(5, 6, 7));
    Keyboard('R', 0, 0);
    EXPECT_EQ(avatar->respawnItems, 0);
    EXPECT_EQ(avatar->respawnPoint.x, 1.0f);
    EXPECT_EQ(avatar->respawnPoint.y, 2.3f);
}

TEST_F(InputTest, LetterKeysActInEitherCase) {
    // A key released while SHIFT is held arrives in upper case and still clears its state.
    Keyboard('w', 0, 0);
    EXPECT_TRUE(keyForward);
    KeyboardUp('W', 0, 0);
    EXPECT_FALSE(keyForward);
    Keyboard('Q', 0, 0);
    EXPECT_TRUE(avatar->wallJumpArmed);
    KeyboardUp('q', 0, 0);
    EXPECT_FALSE(avatar->wallJumpArmed);
    Keyboard(' ', 0, 0);
    EXPECT_TRUE(keyJump);
    KeyboardUp(' ', 0, 0);
    EXPECT_FALSE(keyJump);
}

}  // namespace
