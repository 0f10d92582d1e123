// Scene objects on the physics world: actors by density, triggers, the world bounds, poses and the
// halves of a ring (the rings and doors scenarios show the sparkles).
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/globals.h"
#include "physics/actor_holder.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "objects/ground_plane.h"
#include "objects/model_object.h"
#include "scene/ring.h"
#include "support/player_world.h"
#include "objects/trigger.h"

namespace {

class ObjectsTest : public PlayerWorld {
protected:
    ModelObject* Crate(float density) {
        auto* crate = new ModelObject();
        crate->setModel("level_crate_1");
        crate->createActor("level_crate_1", physicsScene, density, false, 0);
        return crate;
    }
};

TEST_F(ObjectsTest, DensityDecidesStaticOrDynamicAndTriggersAreStatic) {
    ModelObject* fixed = Crate(0.0f);
    ModelObject* loose = Crate(0.5f);
    EXPECT_FALSE(fixed->body->actor->isDynamic());
    EXPECT_TRUE(loose->body->actor->isDynamic());
    EXPECT_NEAR(loose->body->actor->getMass(), 0.5f, 1e-3);  // a 1 x 1 x 1 crate
    EXPECT_EQ(loose->body->actor->userData, loose);
    EXPECT_EQ(loose->type, OBJECT_TYPE_MODEL);

    ObjectTrigger trigger(nullptr, "cube_cannon_trigger", physicsScene);
    NxShape* shape = trigger.body->actor->getShapes()[0];
    EXPECT_FALSE(trigger.body->actor->isDynamic());
    EXPECT_TRUE(shape->getFlag(NX_TRIGGER_ON_ENTER));
    EXPECT_TRUE(shape->getFlag(NX_TRIGGER_ON_LEAVE));
    EXPECT_EQ(trigger.body->actor->userData, &trigger);
    // The game's rays (group mask 1) pass through trigger volumes to what lies beyond.
    NxRaycastHit hit;
    loose->body->actor->setGlobalPosition(NxVec3(3, 0, 30));
    loose->body->actor->raiseBodyFlag(NX_BF_FROZEN);
    EXPECT_EQ(physicsScene->raycastClosestShape(NxRay(NxVec3(3, 0, -30), NxVec3(0, 0, 1)),
                                                NX_ALL_SHAPES, hit, 1, 100),
              loose->body->actor->getShapes()[0]);
    EXPECT_FALSE(trigger.occupied);
    trigger.release();

    for (ModelObject* o : {fixed, loose}) {
        o->release();
        delete o;
    }
}

TEST_F(ObjectsTest, WorldBoundsEncloseTheLevelOnBothAxes) {
    groundPlane.createBounds(physicsScene);
    EXPECT_EQ(groundPlane.type, OBJECT_TYPE_MODEL);
    struct Case {
        NxVec3 start, velocity;
    };
    for (const Case& c : {Case{{990, 5, 0}, {300, 0, 0}}, Case{{-990, 5, 0}, {-300, 0, 0}},
                          Case{{0, 5, 990}, {0, 0, 300}}, Case{{0, 5, -990}, {0, 0, -300}},
                          Case{{-1003, 5, 0}, {0, 0, 0}}}) {  // deep inside: pushed back out
        ModelObject* crate = Crate(0.5f);
        crate->body->actor->setGlobalPosition(c.start);
        crate->body->actor->setLinearVelocity(c.velocity);
        Simulate(90);
        NxVec3 p = crate->body->actor->getGlobalPosition();
        EXPECT_LE(std::fabs(p.x), 1000.0f) << c.start.x;
        EXPECT_LE(std::fabs(p.z), 1000.0f) << c.start.z;
        crate->release();
        delete crate;
    }
}

TEST_F(ObjectsTest, MatricesRoundTripAndPosesCombineYawAndPitch) {
    ModelObject* crate = Crate(0.0f);
    NxMat33 rotY, rotX;
    rotY.rotY(0.7f);
    rotX.rotX(-1.2f);
    NxMat34 pose(rotY * rotX, NxVec3(3, -2, 5));
    float m[16];
    pose.getColumnMajor44(m);
    crate->setMatrix(m);
    float* back = crate->getMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(back[i], m[i], 1e-5) << i;
    delete[] back;

    crate->setPose(NxVec3(1, 2, 3), NxVec3(-1.2f, 0.7f, 0.4f));  // z is not applied
    back = crate->getMatrix();
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(back[i], m[i], 1e-5) << i;
    EXPECT_FLOAT_EQ(back[13], 2);
    delete[] back;

    crate->setPose(NxVec3(0, 0, 0), NxVec3(0, 0, 1.5708f));
    back = crate->getMatrix();
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(back[i], identity[i], 1e-6) << i;
    delete[] back;

    crate->release();
    crate->release();  // harmless the second time
    EXPECT_EQ(crate->body, nullptr);
    delete crate;
}

// A ring's halves fill its opening, so the ball cannot pass one without the other; set apart here,
// the ball visits them one at a time, as a leave heard late would make it seem.
TEST_F(ObjectsTest, ARingCountsOnlyWhileTheAvatarIsInsideBothHalvesAtOnce) {
    auto at = [](float x, float y) {
        return std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
    };
    testing::internal::CaptureStdout();
    AddStatic("level_floor_8x8", NxVec3(0, 0, 0));
    zvRing ring(physicsScene);
    ring.setMatrix(at(0, 50).data());  // the solid ring out of the way
    ring.upperTrigger->setMatrix(at(-2, 0.2f).data());
    ring.lowerTrigger->setMatrix(at(2, 0.2f).data());
    auto visit = [&](float x) {
        avatar->actor->setGlobalPosition(NxVec3(x, 0.2f, 0));
        avatar->actor->setLinearVelocity(NxVec3(0, 0, 0));
        Simulate(3);
    };

    // A falling enemy comes to rest in the upper half: only the avatar fills a half.
    ModelObject* enemy = Crate(0.5f);
    enemy->type = OBJECT_TYPE_ENEMY;
    enemy->body->actor->setGlobalPosition(NxVec3(-2, 0.6f, 0));
    Simulate(30);
    EXPECT_FALSE(ring.upperTrigger->occupied);
    enemy->release();
    delete enemy;

    visit(-2);
    EXPECT_TRUE(ring.upperTrigger->occupied);
    visit(0);
    EXPECT_FALSE(ring.upperTrigger->occupied);
    visit(2);
    EXPECT_TRUE(ring.lowerTrigger->occupied);
    EXPECT_FALSE(ring.collected);
    EXPECT_EQ(avatar->rings, 0);

    // The upper half comes to the ball while it is inside the lower one: the ring counts, once.
    ring.upperTrigger->setMatrix(at(2, 0.2f).data());
    Simulate(3);
    EXPECT_TRUE(ring.collected);
    EXPECT_EQ(avatar->rings, 1);
    visit(0);
    EXPECT_FALSE(ring.upperTrigger->occupied || ring.lowerTrigger->occupied);
    visit(2);
    EXPECT_TRUE(ring.upperTrigger->occupied && ring.lowerTrigger->occupied);
    EXPECT_EQ(avatar->rings, 1);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\n1 rings collected\n"),
              std::string::npos);

    ring.release();
    ring.release();  // harmless the second time
    EXPECT_EQ(ring.upperTrigger, nullptr);
}

}  // namespace
