// How the ball moves: the movement keys through the game's input step, the ground probe choosing
// between ground and air force, the boost jump's reset and the wall jump.
#include <cmath>

#include "core/globals.h"
#include "app/input.h"
#include "app/shell.h"
#include "player/avatar.h"
#include "support/player_world.h"

namespace {

constexpr float kPi = 3.14159265358979f;

NxVec3 Velocity() {
    return avatar->actor->getLinearVelocity();
}

class MovementTest : public PlayerWorld {
protected:
    // The horizontal velocity that one game step of held keys gives the ball at rest in mid-air.
    NxVec3 PushWith(bool w, bool a, bool s, bool d) {
        PlaceAvatar(NxVec3(0, 20, 0));
        keyForward = w;
        keyLeft = a;
        keyBackward = s;
        keyRight = d;
        ProcessInput();
        keyForward = keyLeft = keyBackward = keyRight = false;
        Simulate();
        NxVec3 v = Velocity();
        v.y = 0;
        return v;
    }
    // The forward speed that one push gives the ball when the probe has measured `distance`.
    float ForwardSpeedAt(float distance) {
        PlaceAvatar(NxVec3(0, 20, 0));
        avatar->groundDistance = distance;
        avatar->moveForward(1.0f);
        Simulate();
        return Velocity().z;
    }
};

TEST_F(MovementTest, DiagonalKeysSplitTheForceAndOppositeKeysCancel) {
    NxVec3 forward = PushWith(true, false, false, false);
    ASSERT_GT(forward.z, 0.1f);
    EXPECT_NEAR(forward.x, 0, 1e-6);

    const float d = 0.707f * forward.z;
    const struct {
        bool w, a, s, d;
        float x, z;
    } cases[] = {
        {true, true, false, false, d, d},  // A is to the left: +x at yaw 0
        {true, false, true, false, 0, 0},
        {true, true, true, false, d, 0},  // W and S cancel, yet either still makes A a diagonal key
        {false, false, true, true, -d, -d},
    };
    for (const auto& c : cases) {
        NxVec3 push = PushWith(c.w, c.a, c.s, c.d);
        EXPECT_NEAR(push.x, c.x, 1e-4) << c.w << c.a << c.s << c.d;
        EXPECT_NEAR(push.z, c.z, 1e-4) << c.w << c.a << c.s << c.d;
    }
}

// The probe measures the radius on the ground and more above it; the ground force pushes up to
// a measured 0.25, the air force beyond.
TEST_F(MovementTest, TheProbeChoosesBetweenGroundAndAirForce) {
    float ground = ForwardSpeedAt(0.2f);
    EXPECT_FLOAT_EQ(ForwardSpeedAt(0.24f), ground);
    EXPECT_NEAR(ground / ForwardSpeedAt(0.25f), 3.0 / 0.5, 1e-3);

    AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(0, 0.2f, 0));
    Simulate(30);
    avatar->probeGround();
    EXPECT_NEAR(avatar->groundDistance, 0.2f, 0.01f);
    EXPECT_FALSE(avatar->inAir());

    PlaceAvatar(NxVec3(0, 0.26f, 0));  // 0.06 above the ground
    avatar->probeGround();
    EXPECT_NEAR(avatar->groundDistance, 0.26f, 0.01f);
    EXPECT_TRUE(avatar->inAir());

    PlaceAvatar(NxVec3(0, 400, 0));  // nothing within the probe's reach
    avatar->probeGround();
    EXPECT_TRUE(avatar->inAir());
}

TEST_F(MovementTest, ReleasingKeepsTheUsedBoostWhileRisingAndRestoresItAtTheTop) {
    PlaceAvatar(NxVec3(0, 20, 0));
    avatar->jumpTime = 0.2f;
    avatar->actor->setLinearVelocity(NxVec3(0, 5, 0));
    avatar->releaseJump();
    EXPECT_FLOAT_EQ(avatar->jumpTime, 0.2f);
    avatar->actor->setLinearVelocity(NxVec3(0, 0, 0));
    avatar->releaseJump();
    EXPECT_EQ(avatar->jumpTime, 0);

    // A ball falling faster than 0.2 gets no boost; one near the top gets a fresh one.
    avatar->actor->setLinearVelocity(NxVec3(0, -0.3f, 0));
    avatar->jump(kStep);
    EXPECT_EQ(avatar->jumpTime, 0);
    avatar->actor->setLinearVelocity(NxVec3(0, -0.1f, 0));
    avatar->jump(kStep);
    EXPECT_FLOAT_EQ(avatar->jumpTime, static_cast<float>(kStep));
    Simulate();
    EXPECT_GT(Velocity().y, 0);
}

TEST_F(MovementTest, WallJumpOnlyOffNearVerticalWallsWithTheKeyHeld) {
    // The kick of a wall jump is the difference to a ball that only falls for one step.
    PlaceAvatar(NxVec3(0, 20, 0));
    Simulate();
    const NxVec3 falling = Velocity();

    struct Case {
        NxVec3 normal;
        bool armed, alive, jumps;
    };
    const Case cases[] = {
        {{0, 0, -2}, true, true, true},        // a wall, the normal not yet of unit length
        {{0, 0.099f, -1}, true, true, true},   // y 0.0985 after normalising
        {{0, 0.11f, -1}, true, true, false},   // y 0.109: too steep a slope
        {{0, -0.11f, -1}, true, true, false},  // an overhang
        {{0, 1, 0}, true, true, false},        // the floor
        {{0, -1, 0}, true, true, false},       // a ceiling
        {{0, 0, -1}, false, true, false},      // Q not held
        {{0, 0, -1}, true, false, false},      // the game is lost
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "normal " << c.normal.x << ", " << c.normal.y << ", " << c.normal.z
                     << (c.armed ? "" : ", Q up") << (c.alive ? "" : ", dead"));
        PlaceAvatar(NxVec3(0, 20, 0));
        avatar->yaw = 0.5f;
        avatar->wallJumpArmed = c.armed;
        avatar->alive = c.alive;
        avatar->onWallContact(c.normal);
        Simulate();
        NxVec3 kick = Velocity() - falling;
        if (c.jumps) {
            NxVec3 unit = c.normal;
            unit.normalize();
            const NxVec3 force = unit * 30.0f + NxVec3(0, 20.0f, 0);  // the two pushes
            EXPECT_FLOAT_EQ(avatar->yaw, 0.5f + kPi);
            EXPECT_LT(kick.z, -1.0f);  // away from the wall
            EXPECT_NEAR(kick.z / kick.y, force.z / force.y, 1e-3);
            EXPECT_NEAR(kick.x, 0, 1e-5);
        } else {
            EXPECT_FLOAT_EQ(avatar->yaw, 0.5f);
            EXPECT_NEAR(kick.magnitude(), 0, 1e-4);
        }
    }
}

}  // namespace
