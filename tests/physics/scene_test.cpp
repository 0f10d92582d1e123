// The scene: stepping, damping, the spin limit, body flags and materials; ray casts, collision
// groups, exact distances, and descriptors the scene refuses.
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

// Actors without exactly one shape, moving actors without density or of a plane, and hulls
// without a mesh.
TEST(Scene, RefusedDescriptors) {
    GameWorld world;
    NxSphereShapeDesc sphere;
    NxPlaneShapeDesc plane;
    NxConvexShapeDesc noMesh;
    NxBodyDesc body;
    const struct {
        NxShapeDesc* shape;
        bool moving;
        NxReal density;
    } refused[] = {{nullptr, false, 0}, {&sphere, true, 0}, {&plane, true, 1}, {&noMesh, false, 0}};
    testing::internal::CaptureStdout();
    for (const auto& r : refused) {
        NxActorDesc desc;
        if (r.shape) desc.shapes.pushBack(r.shape);
        if (r.moving) desc.body = &body;
        desc.density = r.density;
        EXPECT_EQ(world.scene->createActor(desc), nullptr);
    }
    std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("exactly one shape"), std::string::npos);
    EXPECT_NE(console.find("density > 0"), std::string::npos);
    EXPECT_EQ(world.scene->getNbActors(), 0u);
}

// Distances along rays onto hulls and spheres are exact, whatever the direction: the avatar's
// ground probe and the enemies' line of sight read them. The game's mask 1 sees neither
// projectiles nor triggers (group 2).
TEST(Raycast, ClosestShapeByGroupMaskAndKindAtItsExactDistance) {
    GameWorld world;
    NxActor* box = world.box(NxVec3(1, 0.5f, 0.75f), NxVec3());
    NxActor* ball = world.sphere(NxVec3(0, 0, 10), 0.6f, 0);
    NxActor* wall = world.box(NxVec3(0.5f, 2, 2), NxVec3(5, 0, -20));
    NxActor* shot = world.sphere(NxVec3(2, 0, -20), 0.05f, 1.0f);
    shot->getShapes()[0]->setGroup(2);
    NxActor* trigger = world.triggerBox(NxVec3(0.25f, 1, 1), NxVec3(2.75f, 0, -20));
    // Static after the last moving one and moved before any query: found where it went.
    NxActor* post = world.box(NxVec3(0.5f, 0.5f, 0.5f), NxVec3(0, 0, 30));
    post->setGlobalPosition(NxVec3(0, 0, 40));
    const NxVec3 down(0, -1, 0), lane(0, 0, -20), alongX(1, 0, 0);
    const struct {
        NxVec3 from, direction;
        NxShapesType kind;
        NxU32 groups;
        float reach;
        NxActor* shape;  // null: nothing is hit
        float distance;
    } rays[] = {
        {{0, 2, 0}, down, NX_ALL_SHAPES, 1, 100, box, 1.5f},               // onto the top
        {{-4, 0, -4}, {0.6f, 0, 0.8f}, NX_ALL_SHAPES, 1, 100, box, 5.0f},  // a 3-4-5 diagonal
        {{0.3f, -3, 0.2f}, {0, 1, 0}, NX_ALL_SHAPES, 1, 100, box, 2.5f},   // from below
        {{0, 5, 10}, down, NX_ALL_SHAPES, 1, 100, ball, 4.4f},             // onto the pole
        {{0.36f, 5, 10}, down, NX_ALL_SHAPES, 1, 100, ball, 4.52f},        // 5 - sqrt(.6^2 - .36^2)
        {{-3.6f, 0, 7.3f}, {0.8f, 0, 0.6f}, NX_ALL_SHAPES, 1, 100, ball, 3.9f},  // 4.5 to the
                                                                                 // centre
        {lane, alongX, NX_ALL_SHAPES, 1, 300, wall, 4.5f},
        {lane, alongX, NX_ALL_SHAPES, 1 << 2, 300, shot, 1.95f},
        {lane, alongX, NX_STATIC_SHAPES, 1 << 2, 300, trigger, 2.5f},
        {lane, alongX, NX_DYNAMIC_SHAPES, 1, 300, nullptr, 0},
        {lane, alongX, NX_ALL_SHAPES, 1, 4.0f, nullptr, 0},  // out of reach
        {{0, 5, 30}, down, NX_ALL_SHAPES, 1, 100, nullptr, 0},
        {{0, 5, 40}, down, NX_ALL_SHAPES, 1, 100, post, 4.5f},
    };
    for (const auto& ray : rays) {
        NxRaycastHit hit;
        NxShape* shape = world.scene->raycastClosestShape(NxRay(ray.from, ray.direction), ray.kind,
                                                          hit, ray.groups, ray.reach);
        SCOPED_TRACE(testing::Message() << ray.from.x << ", " << ray.from.y << ", " << ray.from.z);
        if (ray.shape == nullptr) {
            EXPECT_EQ(shape, nullptr);
            continue;
        }
        ASSERT_EQ(shape, ray.shape->getShapes()[0]);
        EXPECT_EQ(hit.shape, shape);
        EXPECT_NEAR(hit.distance, ray.distance, 1e-4f);
        EXPECT_NEAR((hit.worldImpact - ray.from).magnitude(), hit.distance, 1e-3f);
    }
}

}  // namespace
