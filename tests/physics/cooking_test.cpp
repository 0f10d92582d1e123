// Cooked mesh files: what cooking stores, what the readers accept and what they refuse.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "nx_world.h"
#include "physics/stream.h"
#include "support/temp_dir.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class Cooking : public testing::Test {
protected:
    // Reads a convex file from bytes; the console output lands in `console`.
    NxConvexMesh* loadHull(const std::string& bytes) {
        MemoryStream stream(bytes);
        CaptureStdout();
        NxConvexMesh* mesh = world.sdk->createConvexMesh(stream);
        console = GetCapturedStdout();
        return mesh;
    }
    NxTriangleMesh* loadTriangles(const std::string& bytes) {
        MemoryStream stream(bytes);
        CaptureStdout();
        NxTriangleMesh* mesh = world.sdk->createTriangleMesh(stream);
        console = GetCapturedStdout();
        return mesh;
    }

    GameWorld world;
    std::string console;
};

TEST_F(Cooking, HullMassPropertiesAreExact) {
    // A unit cube centred at (2, 0, 0), given with an inner point that is not on the hull.
    std::vector<NxVec3> points = BoxCorners(NxVec3(0.5f, 0.5f, 0.5f), NxVec3(2, 0, 0));
    points.push_back(NxVec3(2, 0, 0));
    NxConvexMesh* cube = loadHull(CookHull(points));
    ASSERT_NE(cube, nullptr);
    NxActor* box = world.hull(cube, NxVec3(0, 10, 0), 3.0f);
    EXPECT_NEAR(box->getMass(), 3.0f, 1e-5f);  // density x volume 1
    // The actor frame stays the mesh frame although the body turns about the centre of mass.
    EXPECT_NEAR(box->getGlobalPosition().distance(NxVec3(0, 10, 0)), 0.0f, 1e-5f);

    // Spun without gravity, it turns about its centre of mass, which stays where it was.
    box->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    for (int i = 0; i < 30; ++i) {
        box->addTorque(NxVec3(0, 2.0f, 1.0f));
        world.frame(1.0 / 60.0);
    }
    EXPECT_GT(box->getAngularVelocity().magnitude(), 1.0f);
    EXPECT_LT((box->getGlobalPose() * NxVec3(2, 0, 0)).distance(NxVec3(2, 10, 0)), 1e-4f);
    EXPECT_GT(box->getGlobalPosition().distance(NxVec3(0, 10, 0)), 0.5f);
}

TEST_F(Cooking, FlatHullsAreStaticOnly) {
    std::vector<NxVec3> plate = {{-1, 0, -1}, {1, 0, -1}, {-1, 0, 1}, {1, 0, 1}, {0, 0, 0}};
    NxConvexMesh* flat = loadHull(CookHull(plate));
    ASSERT_NE(flat, nullptr);
    world.hull(flat, NxVec3(), 0);
    NxActor* ball = world.sphere(NxVec3(0, 0.5f, 0), 0.2f, 1.0f);
    world.run(1.0);
    EXPECT_NEAR(ball->getGlobalPosition().y, 0.2f, 0.02f);  // rests on the plate
    CaptureStdout();
    EXPECT_EQ(world.hull(flat, NxVec3(0, 3, 0), 1.0f), nullptr);
    EXPECT_NE(GetCapturedStdout().find("static"), std::string::npos);
    std::vector<NxVec3> line = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    CaptureStdout();
    EXPECT_EQ(CookHull(line), "");
    EXPECT_NE(GetCapturedStdout().find("lie on one line"), std::string::npos);
    std::vector<NxVec3> vertices = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    CaptureStdout();
    EXPECT_EQ(CookTriangles(vertices, {0, 1, 3}), "");
    EXPECT_NE(GetCapturedStdout().find("names vertex 3 of 3"), std::string::npos);
}

// A hull file is checked from its kind and version to every number: a pose or a mass built from
// it must be finite and must belong to the hull's points. A triangle file is not a hull file, and
// the other way round. Cooking refuses points that are not finite.
TEST_F(Cooking, ReadersAndCookingRefuseWhatNoHullCanHave) {
    const std::string box = CookHull(BoxCorners(NxVec3(1, 1, 1)));
    ASSERT_NE(loadHull(box), nullptr);
    std::vector<NxVec3> vertices;
    std::vector<NxU32> indices;
    GridFloor(2, 2, 0, vertices, indices);
    const std::string triangles = CookTriangles(vertices, indices);
    EXPECT_EQ(loadHull(triangles), nullptr);
    EXPECT_EQ(loadTriangles(box), nullptr);
    EXPECT_NE(loadTriangles(triangles), nullptr);
    constexpr size_t kPoints = 12, kVolume = kPoints + 8 * 12, kCentre = kVolume + 4,
                     kAxes = kCentre + 12, kInertia = kAxes + 36;
    const struct {
        size_t at;
        float value;
        const char* problem;
    } cases[] = {{0, 1.0f, "createConvexMesh: not a cooked convex mesh"},
                 {4, std::bit_cast<float>(7u), "version 7, expected 1"},
                 {kPoints + 4, NAN, "not finite or too large"},
                 {kPoints, 1e6f, "not finite or too large"},
                 {kVolume, 3e38f, "corrupt mass properties"},
                 {kVolume, 9.0f, "corrupt mass properties"},    // more than the 2x2x2 box holds
                 {kVolume, 1e-30f, "corrupt mass properties"},  // no mass: contacts fling it
                 {kCentre, 1.5f, "corrupt mass properties"},    // outside the points
                 {kAxes, NAN, "corrupt mass properties"},
                 {kAxes + 4, 0.5f, "corrupt mass properties"},  // not a rotation
                 {kInertia, -1.0f, "corrupt mass properties"},
                 {kInertia, 1e-30f, "corrupt mass properties"},  // no inertia about one axis
                 {kInertia, 2.0f, "corrupt mass properties"}};   // more than the other two
    for (const auto& bad : cases) {
        std::string bytes = box;
        std::memcpy(&bytes[bad.at], &bad.value, sizeof bad.value);
        EXPECT_EQ(loadHull(bytes), nullptr) << bad.at << " " << bad.value;
        EXPECT_NE(console.find(bad.problem), std::string::npos) << console;
    }

    std::vector<NxVec3> points = BoxCorners(NxVec3(1, 1, 1));
    points[3].y = NAN;
    TriangleList list{points, BoxTriangles()};
    MemoryStream out;
    CaptureStdout();
    EXPECT_FALSE(NxCookConvexMesh(list.describe<NxConvexMeshDesc>(), out));
    EXPECT_FALSE(NxCookTriangleMesh(list.describe<NxTriangleMeshDesc>(), out));
    EXPECT_EQ(world.sdk->createCCDSkeleton(list.describe()), nullptr);
    EXPECT_NE(GetCapturedStdout().find("NxCookConvexMesh: a point is not a finite number"),
              std::string::npos);
    EXPECT_TRUE(out.bytes.empty());
}

TEST_F(Cooking, FlippedTrianglesAreStoredOutwardWound) {
    std::vector<NxVec3> vertices;
    std::vector<NxU32> indices;
    GridFloor(2, 1, 0, vertices, indices);
    std::vector<NxU32> clockwise = indices;
    for (size_t t = 0; t < clockwise.size(); t += 3) std::swap(clockwise[t + 1], clockwise[t + 2]);
    EXPECT_EQ(CookTriangles(vertices, clockwise, NX_MF_FLIPNORMALS),
              CookTriangles(vertices, indices));
}

TEST_F(Cooking, UserStreamReadsGamePathsAndCatchesShortFiles) {
    TempDir dir;
    std::string hull = CookHull(BoxCorners(NxVec3(0.5f, 0.5f, 0.5f)));
    dir.write("models/Box.convex", hull);
    dir.write("models/cut.convex", hull.substr(0, hull.size() - 6));
    UserStream whole((dir.path() + "\\MODELS\\box.convex").c_str(), true);
    ASSERT_NE(whole.fp, nullptr);
    EXPECT_NE(world.sdk->createConvexMesh(whole), nullptr);
    EXPECT_FALSE(whole.readFailed());
    UserStream cut((dir.path() + "/models/cut.convex").c_str(), true);
    CaptureStdout();
    EXPECT_EQ(world.sdk->createConvexMesh(cut), nullptr);
    EXPECT_NE(GetCapturedStdout().find("short"), std::string::npos);
    EXPECT_TRUE(cut.readFailed());
}

}  // namespace
