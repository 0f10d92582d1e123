// Stepping, damping, the spin limit, body flags and materials.
#include <gtest/gtest.h>

#include <cmath>

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

// One second of bodies far apart: linear damping is an exact exponential decay; gravity can be
// switched off and axes frozen; a body given a torque every frame settles at the old SDK's 7 rad/s,
// while a ball that only rolls under a pushing force spins as fast as it rolls. Of two balls of
// material 1 dropped onto the floor, the one that hits it below the bounce threshold of 10 stays
// down. The game's materials 1 and 2 are there, and an unknown index gives the default one.
TEST(Stepping, DampingFlagsTheSpinLimitAndMaterialsOverOneSecond) {
    GameWorld world;
    EXPECT_EQ(world.scene->getMaterialFromIndex(1)->getMaterialIndex(), 1);
    EXPECT_EQ(world.scene->getMaterialFromIndex(2)->getMaterialIndex(), 2);
    EXPECT_EQ(world.scene->getMaterialFromIndex(2)->getRestitution(), 0.0f);
    EXPECT_EQ(world.scene->getMaterialFromIndex(77)->getMaterialIndex(), 0);
    world.floor();
    // Impact speeds 9 and 12 (dropped from rest with gravity 98).
    NxActor* slow = world.sphere(NxVec3(0, 0.2f + 81.0f / 196.0f, 10), 0.2f, 1.0f, 1);
    NxActor* fast = world.sphere(NxVec3(5, 0.2f + 144.0f / 196.0f, 10), 0.2f, 1.0f, 1);
    float slowUp = 0, fastUp = 0;
    std::vector<std::pair<NxActor*, float>> damped;
    for (float c : {0.0f, 1.0f, 2.0f, 5.0f, 10.0f}) {
        NxActor* ball = world.sphere(NxVec3(c * 10, 50, 30), 0.2f, 1.0f);
        ball->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
        ball->setLinearDamping(c);
        ball->setLinearVelocity(NxVec3(0, 0, 10));
        damped.push_back({ball, c});
    }
    NxActor* floating = world.sphere(NxVec3(0, 80, 0), 0.2f, 1.0f);
    floating->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    NxActor* pinned = world.sphere(NxVec3(5, 80, 0), 0.2f, 1.0f);
    pinned->raiseBodyFlag(NX_BF_FROZEN_POS);
    NxActor* noSpin = world.sphere(NxVec3(10, 80, 0), 0.2f, 1.0f);
    noSpin->raiseBodyFlag(NX_BF_FROZEN_ROT | NX_BF_DISABLE_GRAVITY);
    NxActor* noZ = world.sphere(NxVec3(15, 80, 0), 0.2f, 1.0f);
    noZ->raiseBodyFlag(NX_BF_FROZEN_ROT_Z | NX_BF_DISABLE_GRAVITY);
    noZ->setAngularDamping(0);
    NxActor* wheel = world.box(NxVec3(0.5f, 0.5f, 0.5f), NxVec3(0, 50, 0), 1.0f);
    wheel->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    wheel->setAngularDamping(0);
    NxActor* ball = world.avatar(NxVec3(0, 0.2f, 0));
    for (int i = 0; i < 60; ++i) {
        pinned->addForce(NxVec3(1, 1, 1));
        noSpin->addTorque(NxVec3(0.01f, 0.01f, 0.01f));
        noZ->addLocalTorque(NxVec3(0.01f, 0.01f, 0.01f));
        wheel->addLocalTorque(NxVec3(10, 0, 0));
        ball->addForce(NxVec3(3, 0, 0));  // it stays on the floor
        world.frame(kStep);
        slowUp = std::max(slowUp, slow->getLinearVelocity().y);
        fastUp = std::max(fastUp, fast->getLinearVelocity().y);
    }
    EXPECT_LT(slowUp, 0.5f);               // below the threshold: no bounce
    EXPECT_NEAR(fastUp, 0.6f * 12, 1.5f);  // average restitution 0.6
    for (auto [body, c] : damped)
        EXPECT_NEAR(body->getLinearVelocity().z, 10 * std::exp(-c), 1e-3f * 10 * std::exp(-c)) << c;
    EXPECT_EQ(floating->getGlobalPosition(), NxVec3(0, 80, 0));
    EXPECT_EQ(pinned->getGlobalPosition(), NxVec3(5, 80, 0));
    EXPECT_TRUE(noSpin->getAngularVelocity().isZero());
    EXPECT_NEAR(noZ->getAngularVelocity().z, 0.0f, 1e-5f);
    EXPECT_GT(noZ->getAngularVelocity().y, 0.1f);
    EXPECT_NEAR(wheel->getAngularVelocity().magnitude(), 7.0f, 1e-3f);
    EXPECT_NEAR(ball->getAngularVelocity().magnitude(),
                ball->getLinearVelocity().magnitude() / 0.2f, 1.0f);
    EXPECT_GT(ball->getAngularVelocity().magnitude(), 50.0f);
    floating->clearBodyFlag(NX_BF_DISABLE_GRAVITY);
    world.frame(kStep);
    EXPECT_NEAR(floating->getLinearVelocity().y, -98.0f * kStep, 1e-4f);
}

}  // namespace
