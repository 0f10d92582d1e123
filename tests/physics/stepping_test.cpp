// Stepping, forces, damping, body flags and kinematic actors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "nx_world.h"

namespace {

constexpr float kStep = 1.0f / 60.0f;

TEST(Stepping, WholeSubStepsAtMostEightPerCall) {
    GameWorld world;
    NxActor* ball = world.sphere(NxVec3(0, 100, 0), 0.2f, 1.0f);
    world.frame(0.5 * kStep);
    EXPECT_EQ(ball->getLinearVelocity().y, 0.0f);  // not yet a whole sub-step
    world.frame(0.5 * kStep);
    EXPECT_NEAR(ball->getLinearVelocity().y, -98.0f * kStep, 1e-4f);
    world.frame(1.0);  // 60 sub-steps due: 8 run, the rest is dropped
    EXPECT_NEAR(ball->getLinearVelocity().y, -98.0f * 9 * kStep, 1e-3f);
    world.frame(kStep);
    EXPECT_NEAR(ball->getLinearVelocity().y, -98.0f * 10 * kStep, 1e-3f);
    // 144 calls of 1/144 s run 60 sub-steps.
    ball->setLinearVelocity(NxVec3());
    world.run(1.0, 1.0 / 144.0);
    EXPECT_NEAR(ball->getLinearVelocity().y, -98.0f, 0.05f);
}

// Speed after one second of a force added every frame, the launch speed of a force added once,
// and the speed after a force held for half a second (a jump boost), at several frame rates.
struct RateResult {
    float heldSpeed;
    float launchSpeed;
    float boostSpeed;
};

RateResult MeasureAtRate(double fps) {
    GameWorld world;
    double dt = 1.0 / fps;
    // The avatar in the air without gravity: force 3 per frame against damping 2.
    NxActor* ball = world.avatar(NxVec3(0, 50, 0));
    ball->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    // A projectile: a 0.05 hull, density 1, gravity off, rotation frozen, one local push.
    NxActor* shot = world.hull(world.hullMesh(BoxCorners(NxVec3(0.025f, 0.025f, 0.025f))),
                               NxVec3(0, 50, 10), 1.0f);
    shot->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    shot->raiseBodyFlag(NX_BF_FROZEN_ROT);
    NxMat33 aim;
    aim.rotY(NxPi / 2);  // local +z is world +x
    shot->setGlobalOrientation(aim);
    shot->addLocalForce(NxVec3(0, 0, 0.1f));
    // A second ball boosted upwards for the first half second only.
    NxActor* booster = world.avatar(NxVec3(0, 50, -10));
    booster->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    int frames = static_cast<int>(std::lround(fps));
    for (int i = 0; i < frames; ++i) {
        ball->addForce(NxVec3(3.0f, 0, 0));
        if (i < frames / 2) booster->addForce(NxVec3(0, 6.0f, 0));
        world.frame(dt);
    }
    return {ball->getLinearVelocity().x, shot->getLinearVelocity().x,
            booster->getLinearVelocity().y};
}

TEST(Stepping, FrameRateIndependentForces) {
    RateResult reference = MeasureAtRate(60);
    // Avatar mass 0.0335: the held force approaches 3 / (m * 2) (1 - e^-2).
    float mass = 4.0f / 3.0f * NxPi * 0.2f * 0.2f * 0.2f;
    EXPECT_NEAR(reference.heldSpeed, 3.0f / (mass * 2.0f) * (1 - std::exp(-2.0f)), 1.0f);
    // The launch acts for one sub-step: 0.1 * h / (0.05^3).
    EXPECT_NEAR(reference.launchSpeed, 0.1f * kStep / 0.000125f, 0.5f);
    for (double fps : {30.0, 144.0, 1000.0}) {
        RateResult result = MeasureAtRate(fps);
        EXPECT_NEAR(result.heldSpeed / reference.heldSpeed, 1.0f, 0.05f) << fps;
        EXPECT_NEAR(result.launchSpeed / reference.launchSpeed, 1.0f, 0.05f) << fps;
        // A held force acts for the time it is held, its first frame included.
        EXPECT_NEAR(result.boostSpeed / reference.boostSpeed, 1.0f, 0.01f) << fps;
        std::printf(
            "[ rate     ] %6.0f calls/s: held %.3f (60: %.3f), launch %.3f (60: %.3f), "
            "boost %.3f (60: %.3f)\n",
            fps, result.heldSpeed, reference.heldSpeed, result.launchSpeed, reference.launchSpeed,
            result.boostSpeed, reference.boostSpeed);
    }
}

// Plays a busy scene and returns the bytes of every pose and velocity plus the reports.
std::string PlayScript() {
    GameWorld world;
    world.floor(8);
    NxActor* ball = world.avatar(NxVec3(0, 1, 0));
    std::vector<NxActor*> boxes;
    NxConvexMesh* cube = world.hullMesh(BoxCorners(NxVec3(0.3f, 0.3f, 0.3f)));
    for (int i = 0; i < 6; ++i) boxes.push_back(world.hull(cube, NxVec3(i - 3.0f, 2.0f + i, 1), 1));
    world.triggerBox(NxVec3(1, 1, 1), NxVec3(3, 0.5f, 0));
    std::string state;
    for (int frame = 0; frame < 240; ++frame) {
        ball->addForce(NxVec3(3.0f, 0, frame % 50 < 25 ? 0.5f : -0.5f));
        world.frame(frame % 3 == 0 ? 0.021 : 0.007);
        for (NxActor* actor : boxes) {
            NxMat34 pose = actor->getGlobalPose();
            state.append(reinterpret_cast<const char*>(&pose), sizeof pose);
        }
        NxVec3 v = ball->getLinearVelocity();
        state.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    state += std::to_string(world.reports.contacts.size()) + "/" +
             std::to_string(world.reports.triggers.size());
    return state;
}

TEST(Stepping, SameCallsGiveBitIdenticalResults) {
    std::string first = PlayScript();
    std::string second = PlayScript();
    EXPECT_EQ(first.size(), second.size());
    EXPECT_TRUE(first == second);
}

TEST(Stepping, DampingIsExactExponentialDecay) {
    GameWorld world;
    std::vector<std::pair<NxActor*, float>> balls;
    for (float c : {0.0f, 1.0f, 2.0f, 5.0f, 10.0f}) {
        NxActor* ball = world.sphere(NxVec3(c * 10, 50, 0), 0.2f, 1.0f);
        ball->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
        ball->setLinearDamping(c);
        ball->setLinearVelocity(NxVec3(0, 0, 10));
        balls.push_back({ball, c});
    }
    world.run(1.0);
    for (auto [ball, c] : balls)
        EXPECT_NEAR(ball->getLinearVelocity().z, 10 * std::exp(-c), 1e-3f * 10 * std::exp(-c)) << c;
}

TEST(Stepping, GravityOffAndFrozenAxes) {
    GameWorld world;
    NxActor* floating = world.sphere(NxVec3(0, 50, 0), 0.2f, 1.0f);
    floating->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    NxActor* pinned = world.sphere(NxVec3(5, 50, 0), 0.2f, 1.0f);
    pinned->raiseBodyFlag(NX_BF_FROZEN_POS);
    NxActor* noSpin = world.sphere(NxVec3(10, 50, 0), 0.2f, 1.0f);
    noSpin->raiseBodyFlag(NX_BF_FROZEN_ROT | NX_BF_DISABLE_GRAVITY);
    NxActor* noZ = world.sphere(NxVec3(15, 50, 0), 0.2f, 1.0f);
    noZ->raiseBodyFlag(NX_BF_FROZEN_ROT_Z | NX_BF_DISABLE_GRAVITY);
    noZ->setAngularDamping(0);
    EXPECT_TRUE(noZ->readBodyFlag(NX_BF_FROZEN_ROT_Z));
    EXPECT_FALSE(noZ->readBodyFlag(NX_BF_FROZEN_ROT_X));
    for (int i = 0; i < 30; ++i) {
        pinned->addForce(NxVec3(1, 1, 1));
        noSpin->addTorque(NxVec3(0.01f, 0.01f, 0.01f));
        noZ->addLocalTorque(NxVec3(0.01f, 0.01f, 0.01f));
        world.frame(kStep);
    }
    EXPECT_EQ(floating->getGlobalPosition(), NxVec3(0, 50, 0));
    EXPECT_EQ(pinned->getGlobalPosition(), NxVec3(5, 50, 0));
    EXPECT_TRUE(noSpin->getAngularVelocity().isZero());
    EXPECT_NEAR(noZ->getAngularVelocity().z, 0.0f, 1e-5f);
    EXPECT_GT(noZ->getAngularVelocity().y, 0.1f);
    floating->clearBodyFlag(NX_BF_DISABLE_GRAVITY);
    world.frame(kStep);
    EXPECT_NEAR(floating->getLinearVelocity().y, -98.0f * kStep, 1e-4f);
}

// A body given a torque every frame settles at the old SDK's 7 rad/s; a ball that only rolls
// under a pushing force spins as fast as it rolls.
TEST(Stepping, TorqueDrivenSpinIsLimited) {
    GameWorld world;
    world.floor();
    NxActor* wheel =
        world.hull(world.hullMesh(BoxCorners(NxVec3(0.5f, 0.5f, 0.5f))), NxVec3(0, 50, 0), 1.0f);
    wheel->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    wheel->setAngularDamping(0);
    NxActor* ball = world.avatar(NxVec3(0, 0.2f, 0));
    for (int i = 0; i < 60; ++i) {  // the ball stays on the floor
        wheel->addLocalTorque(NxVec3(10, 0, 0));
        ball->addForce(NxVec3(3, 0, 0));
        world.frame(kStep);
    }
    EXPECT_NEAR(wheel->getAngularVelocity().magnitude(), 7.0f, 1e-3f);
    EXPECT_NEAR(ball->getAngularVelocity().magnitude(),
                ball->getLinearVelocity().magnitude() / 0.2f, 1.0f);
    EXPECT_GT(ball->getAngularVelocity().magnitude(), 50.0f);
}

TEST(Stepping, ForcesWakeSleepingBodies) {
    GameWorld world;
    world.floor();
    NxActor* ball = world.sphere(NxVec3(0, 0.2f, 0), 0.2f, 1.0f);
    world.run(4.0);  // asleep after resting
    ball->addForce(NxVec3(0, 0, 1.0f), NX_FORCE, false);
    world.frame(kStep);
    EXPECT_EQ(ball->getLinearVelocity().z, 0.0f);
    ball->addForce(NxVec3(0, 0, 1.0f));
    world.frame(kStep);
    EXPECT_GT(ball->getLinearVelocity().z, 0.1f);
}

TEST(Stepping, KinematicActorsFollowTheirTargetsAtAnyRate) {
    for (double dt : {1.0 / 30, 1.0 / 1000}) {
        GameWorld world;
        NxActor* door =
            world.hull(world.hullMesh(BoxCorners(NxVec3(1, 1, 0.1f))), NxVec3(0, 5, 0), 1);
        door->raiseBodyFlag(NX_BF_KINEMATIC);
        world.triggerBox(NxVec3(0.15f, 2, 1), NxVec3(0.8f, 6, 0));  // beside the ball
        EXPECT_TRUE(door->isDynamic());
        NxActor* ball = world.sphere(NxVec3(0, 6.3f, 0), 0.2f, 1.0f);  // resting on the door
        ball->raiseBodyFlag(NX_BF_FROZEN_POS_X | NX_BF_FROZEN_POS_Z);
        // The door's own rule: each frame the target is its position plus speed * dt.
        double time = 0;
        while (time < 1.0) {
            NxVec3 p = door->getGlobalPosition();
            if (p.y >= 7.0f) break;
            door->moveGlobalPosition(NxVec3(p.x, static_cast<float>(p.y + 1.5 * dt), p.z));
            world.frame(dt);
            time += dt;
        }
        EXPECT_NEAR(door->getGlobalPosition().y, 6.5f, 0.06f) << dt;  // 1.5 units in a second
        EXPECT_GT(ball->getGlobalPosition().y, 7.2f) << dt;           // carried up
        // Kinematic actors neither fall nor yield.
        world.run(0.5, dt);
        EXPECT_NEAR(door->getGlobalPosition().y, 6.5f, 0.06f);
        EXPECT_TRUE(world.reports.triggers.empty());  // kinematic actors pass triggers unreported
    }
}

TEST(Stepping, MaterialsAndBounceThreshold) {
    GameWorld world;
    EXPECT_EQ(world.scene->getMaterialFromIndex(1)->getMaterialIndex(), 1);
    EXPECT_EQ(world.scene->getMaterialFromIndex(2)->getMaterialIndex(), 2);
    EXPECT_EQ(world.scene->getMaterialFromIndex(2)->getRestitution(), 0.0f);
    EXPECT_EQ(world.scene->getMaterialFromIndex(77)->getMaterialIndex(), 0);
    world.floor();
    // Impact speeds 9 and 12 (dropped from rest with gravity 98).
    NxActor* slow = world.sphere(NxVec3(0, 0.2f + 81.0f / 196.0f, 0), 0.2f, 1.0f, 1);
    NxActor* fast = world.sphere(NxVec3(5, 0.2f + 144.0f / 196.0f, 0), 0.2f, 1.0f, 1);
    float slowUp = 0, fastUp = 0;
    for (int i = 0; i < 40; ++i) {
        world.frame(kStep);
        slowUp = std::max(slowUp, slow->getLinearVelocity().y);
        fastUp = std::max(fastUp, fast->getLinearVelocity().y);
    }
    EXPECT_LT(slowUp, 0.5f);               // below the threshold of 10: no bounce
    EXPECT_NEAR(fastUp, 0.6f * 12, 1.5f);  // average restitution 0.6
}

TEST(Stepping, PlanesAreSolidOppositeTheirNormal) {
    GameWorld world;
    world.plane(NxVec3(1, 0, 0), -1000);
    world.plane(NxVec3(0, 0, -1), -1000);
    NxActor* arriving = world.sphere(NxVec3(-990, 50, 0), 0.2f, 1.0f);
    arriving->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    arriving->setLinearVelocity(NxVec3(-50, 0, 0));
    NxActor* inside = world.sphere(NxVec3(0, 50, 1005), 0.2f, 1.0f);
    inside->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    world.run(1.0);
    EXPECT_GT(arriving->getLinearVelocity().x, 20.0f);  // bounced back
    EXPECT_GT(arriving->getGlobalPosition().x, -999.8f - 0.01f);
    EXPECT_LT(inside->getGlobalPosition().z, 1000.0f);  // pushed back into the box
}

}  // namespace
