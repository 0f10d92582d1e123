// Ray casts, collision groups, exact distances, and descriptors the scene refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

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

TEST(Scene, RefusedDescriptorsAndEmptyDebugRenderable) {
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
    const NxDebugRenderable* debug = world.scene->getDebugRenderable();
    EXPECT_EQ(debug->getNbPoints() + debug->getNbLines() + debug->getNbTriangles(), 0u);
    EXPECT_EQ(&world.scene->getPhysicsSDK(), world.sdk);
}

// Distances along rays onto hulls and spheres are exact, whatever the direction: the avatar's
// ground probe and the enemies' line of sight read them.
TEST(Raycast, ExactDistancesOnHullsAndSpheres) {
    GameWorld world;
    const NxVec3 half(1, 0.5f, 0.75f), boxCentre(0, 0, 0), ballCentre(0, 0, 10);
    const float radius = 0.6f;
    NxActor* box = world.hull(world.hullMesh(BoxCorners(half)), boxCentre, 0);
    NxActor* ball = world.sphere(ballCentre, radius, 0);
    NxRaycastHit hit;
    // Straight down onto the top and a 3-4-5 diagonal onto the side.
    ASSERT_EQ(world.scene->raycastClosestShape(NxRay(NxVec3(0, 2, 0), NxVec3(0, -1, 0)),
                                               NX_ALL_SHAPES, hit, 1, 100),
              box->getShapes()[0]);
    EXPECT_NEAR(hit.distance, 1.5f, 1e-4f);
    NxRay diagonal(NxVec3(-1 - 3, 0, -4), NxVec3(0.6f, 0, 0.8f));
    ASSERT_NE(world.scene->raycastClosestShape(diagonal, NX_ALL_SHAPES, hit, 1, 100), nullptr);
    EXPECT_NEAR(hit.distance, 5.0f, 1e-4f);
    // Random rays from outside towards a random point inside each shape, compared with the
    // geometry: the slab test for the box, the quadratic for the ball.
    std::srand(7);
    auto random = [](float lo, float hi) { return lo + (hi - lo) * (std::rand() % 10001) / 1e4f; };
    float worst = 0;
    for (int i = 0; i < 400; ++i) {
        bool onBox = i % 2 == 0;
        NxVec3 centre = onBox ? boxCentre : ballCentre;
        NxVec3 origin = centre + NxVec3(random(-5, 5), random(-5, 5), random(-5, 5));
        NxVec3 aim = centre + NxVec3(random(-0.3f, 0.3f), random(-0.3f, 0.3f), random(-0.3f, 0.3f));
        NxVec3 dir = aim - origin;
        dir.normalize();
        NxVec3 local = origin - centre;
        float expected;
        if (onBox) {
            if (std::fabs(local.x) < half.x && std::fabs(local.y) < half.y &&
                std::fabs(local.z) < half.z)
                continue;
            float enter = 0;
            const float o[3] = {local.x, local.y, local.z}, d[3] = {dir.x, dir.y, dir.z},
                        h[3] = {half.x, half.y, half.z};
            for (int a = 0; a < 3; ++a)
                if (d[a] != 0)
                    enter = std::max(enter, std::min((-h[a] - o[a]) / d[a], (h[a] - o[a]) / d[a]));
            expected = enter;
        } else {
            if (local.magnitude() < radius) continue;
            float b = local.dot(dir), c = local.magnitudeSquared() - radius * radius;
            expected = -b - std::sqrt(b * b - c);
        }
        NxShape* shape =
            world.scene->raycastClosestShape(NxRay(origin, dir), NX_ALL_SHAPES, hit, 1, 100);
        ASSERT_EQ(shape, (onBox ? box : ball)->getShapes()[0]) << i;
        worst = std::max(worst, std::fabs(hit.distance - expected));
        EXPECT_NEAR((hit.worldImpact - origin).magnitude(), hit.distance, 1e-3f);
    }
    EXPECT_LT(worst, 1e-3f);
}

}  // namespace
