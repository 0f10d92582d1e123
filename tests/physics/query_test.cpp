// Ray casts, collision groups, exact distances, and descriptors the scene refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "nx_world.h"

namespace {

TEST(Raycast, ClosestShapeWithGroupsMaskAndDistance) {
    GameWorld world;
    NxActor* wall = world.hull(world.hullMesh(BoxCorners(NxVec3(0.5f, 2, 2))), NxVec3(5, 0, 0), 0);
    NxActor* shot = world.sphere(NxVec3(2, 0, 0), 0.05f, 1.0f);
    shot->getShapes()[0]->setGroup(2);
    NxActor* trigger = world.triggerBox(NxVec3(0.25f, 1, 1), NxVec3(2.75f, 0, 0));
    NxRay ray(NxVec3(0, 0, 0), NxVec3(1, 0, 0));
    NxRaycastHit hit;
    // The game's mask 1 sees neither projectiles nor triggers (group 2).
    NxShape* shape = world.scene->raycastClosestShape(ray, NX_ALL_SHAPES, hit, 1, 300);
    ASSERT_EQ(shape, wall->getShapes()[0]);
    EXPECT_EQ(hit.shape, shape);
    EXPECT_NEAR(hit.distance, 4.5f, 1e-3f);
    EXPECT_NEAR(hit.worldImpact.x, 4.5f, 1e-3f);
    EXPECT_NEAR(hit.worldNormal.x, -1.0f, 1e-4f);
    EXPECT_EQ(world.scene->raycastClosestShape(ray, NX_ALL_SHAPES, hit, 1 << 2, 300),
              shot->getShapes()[0]);
    EXPECT_NEAR(hit.distance, 1.95f, 1e-4f);
    EXPECT_EQ(world.scene->raycastClosestShape(ray, NX_STATIC_SHAPES, hit, 1 << 2, 300),
              trigger->getShapes()[0]);
    EXPECT_EQ(world.scene->raycastClosestShape(ray, NX_DYNAMIC_SHAPES, hit, 1, 300), nullptr);
    EXPECT_EQ(world.scene->raycastClosestShape(ray, NX_ALL_SHAPES, hit, 1, 4.0f), nullptr);
}

TEST(Scene, RefusedDescriptors) {
    GameWorld world;
    NxActorDesc none;
    testing::internal::CaptureStdout();
    EXPECT_EQ(world.scene->createActor(none), nullptr);
    NxSphereShapeDesc sphere;
    NxActorDesc noDensity;
    NxBodyDesc body;
    noDensity.shapes.pushBack(&sphere);
    noDensity.body = &body;
    EXPECT_EQ(world.scene->createActor(noDensity), nullptr);
    NxPlaneShapeDesc plane;
    NxActorDesc movingPlane;
    movingPlane.shapes.pushBack(&plane);
    movingPlane.body = &body;
    movingPlane.density = 1;
    EXPECT_EQ(world.scene->createActor(movingPlane), nullptr);
    NxConvexShapeDesc noMesh;
    NxActorDesc hollow;
    hollow.shapes.pushBack(&noMesh);
    EXPECT_EQ(world.scene->createActor(hollow), nullptr);
    std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("exactly one shape"), std::string::npos);
    EXPECT_NE(console.find("density > 0"), std::string::npos);
    EXPECT_EQ(world.scene->getNbActors(), 0u);
}

// Distances along rays onto hulls and spheres are exact, whatever the direction: the avatar's
// ground probe and the enemies' line of sight read them.
TEST(Raycast, ExactDistancesOnHullsAndSpheres) {
    GameWorld world;
    NxActor* box = world.hull(world.hullMesh(BoxCorners(NxVec3(1, 0.5f, 0.75f))), NxVec3(), 0);
    NxActor* ball = world.sphere(NxVec3(0, 0, 10), 0.6f, 0);
    const struct {
        NxVec3 from, direction;
        NxActor* shape;
        float distance;
    } rays[] = {
        {{0, 2, 0}, {0, -1, 0}, box, 1.5f},               // onto the top
        {{-4, 0, -4}, {0.6f, 0, 0.8f}, box, 5.0f},        // a 3-4-5 diagonal onto the side
        {{0.3f, -3, 0.2f}, {0, 1, 0}, box, 2.5f},         // onto the bottom from below
        {{0, 5, 10}, {0, -1, 0}, ball, 4.4f},             // onto the pole
        {{0.36f, 5, 10}, {0, -1, 0}, ball, 4.52f},        // off-centre: 5 - sqrt(0.6^2 - 0.36^2)
        {{-3.6f, 0, 7.3f}, {0.8f, 0, 0.6f}, ball, 3.9f},  // 4.5 to the centre on a diagonal
    };
    for (const auto& ray : rays) {
        NxRaycastHit hit;
        EXPECT_EQ(world.scene->raycastClosestShape(NxRay(ray.from, ray.direction), NX_ALL_SHAPES,
                                                   hit, 1, 100),
                  ray.shape->getShapes()[0])
            << ray.distance;
        EXPECT_NEAR(hit.distance, ray.distance, 1e-4f);
        EXPECT_NEAR((hit.worldImpact - ray.from).magnitude(), hit.distance, 1e-3f);
    }
}

}  // namespace
