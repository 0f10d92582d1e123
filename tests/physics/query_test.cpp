// Ray casts, collision groups, exact distances, and descriptors the scene refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "nx_world.h"

namespace {

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
