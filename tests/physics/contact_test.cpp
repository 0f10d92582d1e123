// Contact and trigger reports: once per new touching pair, the normal's direction, triggers,
// released actors, CCD, and bodies landing and rolling on each kind of floor.
#include <gtest/gtest.h>

#include <cmath>

#include "nx_world.h"

namespace {

constexpr double kStep = 1.0 / 60.0;

// The normal points from the touched object towards actors[0]: seen from the avatar it points
// away from what it touched.
NxVec3 NormalForAvatar(const ContactRecord& contact, const NxActor* avatar) {
    return contact.actors[0] == avatar ? contact.normal : -contact.normal;
}

TEST(Contacts, OneReportPerNewTouchingPair) {
    for (bool avatarFirst : {true, false}) {
        GameWorld world;
        NxActor* ball = avatarFirst ? world.avatar(NxVec3(0, 0.25f, 0)) : nullptr;
        NxConvexMesh* box = world.hullMesh(BoxCorners(NxVec3(1, 0.5f, 1)));
        NxActor* box1 = world.hull(box, NxVec3(0, -0.5f, 0), 0);
        NxActor* box2 = world.hull(box, NxVec3(2, -0.5f, 0), 0);
        NxActor* wall = world.box(NxVec3(0.5f, 2, 2), NxVec3(3.5f, 1.5f, 0));
        if (!avatarFirst) ball = world.avatar(NxVec3(0, 0.25f, 0));
        world.run(1.0);                  // settles onto box1
        for (int i = 0; i < 180; ++i) {  // rolls over box2 into the wall
            ball->addForce(NxVec3(0.5f, 0, 0));
            world.frame(kStep);
        }
        std::vector<ContactRecord> contacts = world.reports.contactsOf(ball);
        ASSERT_EQ(contacts.size(), 3u) << avatarFirst;
        EXPECT_TRUE(contacts[0].actors[0] == box1 || contacts[0].actors[1] == box1);
        EXPECT_TRUE(contacts[1].actors[0] == box2 || contacts[1].actors[1] == box2);
        EXPECT_TRUE(contacts[2].actors[0] == wall || contacts[2].actors[1] == wall);
        EXPECT_GT(NormalForAvatar(contacts[0], ball).y, 0.99f);
        EXPECT_GT(NormalForAvatar(contacts[1], ball).y, 0.95f);  // first touch on box2's edge
        NxVec3 wallNormal = NormalForAvatar(contacts[2], ball);
        EXPECT_LT(std::fabs(wallNormal.y), 0.1f);  // the wall jump's test
        EXPECT_LT(wallNormal.x, -0.99f);
        for (const ContactRecord& c : contacts) {
            EXPECT_EQ(c.patches, 1u);
            EXPECT_GE(c.points, 1u);
            EXPECT_EQ(&c.shapes[0]->getActor(), c.actors[0]);
        }
    }
}

TEST(Contacts, ReportsArriveInsideFetchResultsInSubStepOrder) {
    GameWorld world;
    world.box(NxVec3(20, 1, 20), NxVec3(0, -1, 0));
    NxActor* trigger = world.triggerBox(NxVec3(0.5f, 0.5f, 0.5f), NxVec3(0, 3, 0));
    NxActor* ball = world.sphere(NxVec3(0, 4, 0), 0.2f, 1.0f);
    ball->setLinearVelocity(NxVec3(0, -30, 0));
    world.scene->simulate(8 * kStep);  // passes the trigger, then lands
    EXPECT_TRUE(world.reports.order.empty());
    EXPECT_TRUE(world.scene->fetchResults(NX_RIGID_BODY_FINISHED, true));
    ASSERT_EQ(world.reports.order, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(world.reports.triggers[0].status, NX_TRIGGER_FLAG_ENTER);
    EXPECT_EQ(world.reports.triggers[1].status, NX_TRIGGER_FLAG_LEAVE);
    EXPECT_EQ(&world.reports.triggers[0].trigger->getActor(), trigger);
    EXPECT_EQ(&world.reports.triggers[0].other->getActor(), ball);
}

// Bodies placed around a trigger box of half extent 1: whether the first step reports them inside
// (they fall 0.027 in it). The clear cases (centre inside, face or spheres far apart) are
// settled without the distance search, the rest by it; both must agree at the boundary.
TEST(Contacts, TriggerOverlapAtFacesEdgesAndCorners) {
    const struct {
        NxVec3 at;
        bool box;  // a box of half extent 0.2, else a sphere of radius 0.2
        bool inside;
    } cases[] = {
        {{0, 0, 0}, false, true},
        {{0.7f, 0.3f, 0}, true, true},
        {{1.1f, 0, 0}, false, true},
        {{1.15f, 0, 0}, true, true},
        {{1.25f, 0, 0}, false, false},
        {{1.3f, 0, 0}, true, false},
        {{1.1f, 0, 1.1f}, false, true},
        {{1.17f, 0, 1.17f}, false, false},
        {{1.15f, 1.15f, 1.15f}, false, false},
        {{1.15f, -1.15f, 1.15f}, true, true},
        {{1.25f, 1.25f, 1.25f}, true, false},
        {{0, 0, 1.5f}, false, false},
    };
    for (const auto& c : cases) {
        GameWorld world;
        world.triggerBox(NxVec3(1, 1, 1), NxVec3(0, 0, 0));
        if (c.box)
            world.box(NxVec3(0.2f, 0.2f, 0.2f), c.at, 1.0f);
        else
            world.sphere(c.at, 0.2f, 1.0f);
        world.frame(1.0 / 60.0);
        EXPECT_EQ(world.reports.triggers.size(), c.inside ? 1u : 0u)
            << c.at.x << " " << c.at.y << " " << c.at.z << (c.box ? " box" : " sphere");
    }
}

TEST(Release, NoStalePairsNoLeaveEvents) {
    GameWorld world;
    world.floor();
    world.triggerBox(NxVec3(1, 1, 1), NxVec3(0, 0.5f, 0));
    NxActor* ball = world.avatar(NxVec3(0, 0.2f, 0));
    world.run(0.5);
    ASSERT_EQ(world.reports.contacts.size(), 1u);
    ASSERT_EQ(world.reports.triggers.size(), 1u);
    world.scene->releaseActor(*ball);
    world.run(0.5);
    EXPECT_EQ(world.reports.triggers.size(), 1u);  // no leave for a released actor
    // A new ball in the same place is a new touch and a new entry.
    NxActor* again = world.avatar(NxVec3(0, 0.2f, 0));
    world.run(0.5);
    ASSERT_EQ(world.reports.contacts.size(), 2u);
    EXPECT_TRUE(world.reports.contacts[1].actors[0] == again ||
                world.reports.contacts[1].actors[1] == again);
    ASSERT_EQ(world.reports.triggers.size(), 2u);
    EXPECT_EQ(&world.reports.triggers[1].other->getActor(), again);

    // Released between simulate and fetchResults: its waiting reports are dropped.
    NxActor* late = world.sphere(NxVec3(3, 0.25f, 0), 0.2f, 1.0f);
    world.scene->simulate(kStep * 3);
    world.scene->releaseActor(*late);
    world.scene->fetchResults(NX_RIGID_BODY_FINISHED, true);
    EXPECT_EQ(world.reports.contacts.size(), 2u);
    EXPECT_EQ(world.scene->getNbActors(), 3u);
}

// Shots of 2000 units/s against a wall 0.05 thick, started at twenty phases of a sub-step.
TEST(Ccd, SkeletonsStopSmallFastBodies) {
    for (bool skeleton : {true, false}) {
        GameWorld world;
        NxActor* wall = world.box(NxVec3(0.025f, 5, 5), NxVec3(0, 5, 0));
        NxConvexMesh* bullet = world.hullMesh(BoxCorners(NxVec3(0.025f, 0.025f, 0.025f)));
        std::vector<NxVec3> points = BoxCorners(NxVec3(0.02f, 0.02f, 0.02f));
        NxCCDSkeleton* ccd = world.sdk->createCCDSkeleton(TriangleList{points, {}}.describe());
        int through = 0;
        for (int phase = 0; phase < 20; ++phase) {
            NxActor* shot = world.hull(bullet, NxVec3(-3.0f - 2000 * kStep * phase / 20, 5, 0), 1);
            shot->raiseBodyFlag(NX_BF_DISABLE_GRAVITY | NX_BF_FROZEN_ROT);
            shot->getShapes()[0]->setGroup(2);
            if (skeleton) shot->getShapes()[0]->setCCDSkeleton(ccd);
            shot->setLinearVelocity(NxVec3(2000, 0, 0));
            world.run(0.1);
            if (shot->getGlobalPosition().x > 0) ++through;
            world.scene->releaseActor(*shot);
        }
        if (skeleton) {
            EXPECT_EQ(through, 0);
            EXPECT_FALSE(world.reports.contactsOf(wall).empty());
        } else {
            EXPECT_GT(through, 10);  // the test can tell
        }
    }
}

// Landing. Boxes of density 1 dropped from 0.75 above the floor (about 12 units/s at impact),
// flat and tilted, onto each kind of floor the game builds: a plane, a hull slab, a closed
// triangle-mesh slab and mesh floors of 5-unit and of 0.25-unit squares (on the fine one, a box
// overlaps the triangles under its rim less than it sinks, and they must still push it up, not
// sideways). A box comes to rest on one of its faces with its centre at that face's half extent,
// and at no step does any corner sink deeper than one sub-step of travel at the impact speed.
enum class Floor { kPlane, kHull, kMeshSlab, kMeshGrid, kFineMeshGrid };
constexpr Floor kFloors[] = {Floor::kPlane, Floor::kHull, Floor::kMeshSlab, Floor::kMeshGrid,
                             Floor::kFineMeshGrid};

NxActor* MakeFloor(GameWorld& world, Floor kind) {
    switch (kind) {
        case Floor::kPlane: return world.plane(NxVec3(0, 1, 0), 0);
        case Floor::kHull: return world.box(NxVec3(20, 1, 20), NxVec3(0, -1, 0));
        case Floor::kMeshSlab:
            return world.mesh(world.triangleMesh(BoxCorners(NxVec3(20, 1, 20)), BoxTriangles()),
                              NxVec3(0, -1, 0));
        case Floor::kMeshGrid: return world.floor(8);
        case Floor::kFineMeshGrid: return world.floor(160);
    }
    return nullptr;
}

// The height of the box's lowest corner.
float LowestCorner(const NxActor* box, const NxVec3& half) {
    float lowest = 1e30f;
    for (const NxVec3& corner : BoxCorners(half))
        lowest = std::min(lowest, (box->getGlobalPose() * corner).y);
    return lowest;
}

// The half extent along the box axis that points up (or down); 0 when none points up.
float HalfExtentUp(const NxActor* box, const NxVec3& half) {
    NxMat33 axes = box->getGlobalOrientation();
    const float extents[3] = {half.x, half.y, half.z};
    for (int axis = 0; axis < 3; ++axis)
        if (std::fabs(axes.getColumn(axis).y) > 0.999f) return extents[axis];
    return 0;
}

TEST(Landing, BoxesAndTheAvatarComeToRestAndTheAvatarRollsAlikeOnEveryFloor) {
    constexpr float kImpactSpeed = 12.1f;  // sqrt(2 * 98 * 0.75)
    const float kStepTravel = kImpactSpeed * static_cast<float>(kStep);
    float planeSpeed = 0;
    for (Floor floor : kFloors) {
        for (NxVec3 half :
             {NxVec3(0.5f, 0.5f, 0.5f), NxVec3(0.2f, 0.2f, 0.2f), NxVec3(0.5f, 0.25f, 0.5f)}) {
            for (float tilt : {0.0f, 0.4f}) {
                GameWorld world;
                MakeFloor(world, floor);
                NxActor* box = world.box(half, NxVec3(), 1.0f);
                NxMat33 turn;
                turn.rotZ(tilt);
                box->setGlobalOrientation(turn);
                box->setGlobalPosition(NxVec3(0.3f, 0.75f - LowestCorner(box, half), 0.2f));
                float deepest = 0;
                for (int i = 0; i < 180; ++i) {
                    world.frame(kStep);
                    deepest = std::min(deepest, LowestCorner(box, half));
                }
                std::string which = "floor " + std::to_string(static_cast<int>(floor)) + " box " +
                                    std::to_string(half.y) + " tilt " + std::to_string(tilt);
                EXPECT_GT(deepest, -kStepTravel) << which;
                float up = HalfExtentUp(box, half);
                EXPECT_GT(up, 0) << which;
                EXPECT_NEAR(box->getGlobalPosition().y, up, 0.03f) << which;
                EXPECT_LT(box->getLinearVelocity().magnitude(), 0.05f) << which;
            }
        }

        // The avatar rests at its radius and rolls under the game's held force as fast as on a
        // plane: no hops off a mesh's seams (without the distance fix-up they reach 5 units/s
        // upwards), only a rare dip of a centimetre or two that the solver pushes back out.
        GameWorld world;
        MakeFloor(world, floor);
        NxActor* ball = world.avatar(NxVec3(-15, 0.95f, 0.2f));
        world.run(2.0);
        EXPECT_NEAR(ball->getGlobalPosition().y, 0.2f, 2e-3f) << static_cast<int>(floor);
        const size_t touches = world.reports.contacts.size();
        float upwards = 0;
        for (int i = 0; i < 120; ++i) {
            ball->addForce(NxVec3(3.0f, 0, 0.3f));
            world.frame(kStep);
            if (i > 5) upwards = std::max(upwards, ball->getLinearVelocity().y);
        }
        float speed = ball->getLinearVelocity().x;
        if (floor == Floor::kPlane) planeSpeed = speed;
        EXPECT_LT(upwards, 0.5f) << static_cast<int>(floor);
        EXPECT_GT(speed, 10.0f);
        EXPECT_NEAR(speed / planeSpeed, 1.0f, 0.03f) << static_cast<int>(floor);
        EXPECT_EQ(world.reports.contacts.size(), touches) << static_cast<int>(floor);  // one touch
    }
}

// Releasing an actor wakes what rests on it, whether it is static or dynamic: nothing is left
// hanging in the air.
TEST(Release, BodiesRestingOnAReleasedActorFall) {
    for (int support = 0; support < 3; ++support) {
        GameWorld world;
        // A plane, a static slab, or a crate on a static slab one lower.
        const float slab = support == 1 ? -0.5f : -1.5f;
        NxActor* under = support == 0 ? world.plane(NxVec3(0, 1, 0), 0)
                                      : world.box(NxVec3(2, 0.5f, 2), NxVec3(0, slab, 0));
        if (support == 2) under = world.box(NxVec3(1, 0.5f, 1), NxVec3(0, -0.5f, 0), 1.0f);
        NxActor* ball = world.sphere(NxVec3(0, 0.2f, 0), 0.2f, 1.0f);
        world.run(3.0);  // long enough to fall asleep
        float resting = ball->getGlobalPosition().y;
        world.scene->releaseActor(*under);
        world.run(1.0);
        EXPECT_LT(ball->getGlobalPosition().y, resting - 0.5f) << support;
    }
}

}  // namespace
