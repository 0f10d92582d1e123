// zorvan-cook: cooking for the physics layer, the info report and the preview.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "NxPhysics.h"
#include "generated.h"
#include "physics/stream.h"
#include "support/command.h"
#include "support/json.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

RunResult Cook(const std::string& arguments) {
    return RunCommand(std::string("'") + ZORVAN_COOK + "' " + arguments);
}

std::string CopyModel(const TempDir& dir, const std::string& name) {
    std::string to = dir.path() + "/" + name + ".ms3d";
    fs::copy_file(ModelPath(name), to);
    return to;
}

TEST(Cook, WritesBothCollisionFilesThatTheLayerReads) {
    TempDir dir;
    std::string crate = CopyModel(dir, "level_crate_1");
    std::string ring = CopyModel(dir, "ring");
    RunResult r = Cook("'" + crate + "' '" + ring + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;

    NxPhysicsSDK* sdk = NxCreatePhysicsSDK(NX_PHYSICS_SDK_VERSION);
    NxScene* scene = sdk->createScene(NxSceneDesc());
    UserStream convex((dir.path() + "/level_crate_1.convex").c_str(), true);
    NxConvexShapeDesc hull;
    hull.meshData = sdk->createConvexMesh(convex);
    ASSERT_NE(hull.meshData, nullptr);
    NxBodyDesc body;
    NxActorDesc actor;
    actor.shapes.pushBack(&hull);
    actor.body = &body;
    actor.density = 2.0f;
    EXPECT_NEAR(scene->createActor(actor)->getMass(), 2.0f, 1e-3);  // the 1 x 1 x 1 crate

    UserStream concave((dir.path() + "/ring.concave").c_str(), true);
    EXPECT_NE(sdk->createTriangleMesh(concave), nullptr);
    sdk->releaseScene(*scene);
    sdk->release();

    // A broken version of the crate (vertex 0 not a number) is refused whole: the cooked files
    // of the good one stay as they were, and no temporary file is left behind.
    const std::string good = ReadFile(dir.path() + "/level_crate_1.convex");
    std::string broken = ReadFile(crate);
    const float nan = NAN;
    std::memcpy(&broken[17], &nan, sizeof nan);
    std::ofstream(crate, std::ios::binary) << broken;
    r = Cook("'" + crate + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("breaks at byte 16, in the vertices"), std::string::npos) << r.output;
    EXPECT_EQ(ReadFile(dir.path() + "/level_crate_1.convex"), good);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 6);
}

TEST(Cook, InfoDescribesAFileAsOneJsonObject) {
    RunResult r = Cook("info '" + ModelPath("health_item") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    Json info = Json::parse(r.output);
    EXPECT_EQ(info["version"].get<double>(), 4);
    EXPECT_GE(info["vertices"].get<double>(), 8);
    EXPECT_EQ(info["groupTriangles"].size(), info["groups"].get<double>());
    EXPECT_EQ(info["groupMaterials"].size(), info["groups"].get<double>());
    EXPECT_EQ(info["materialNames"].size(), info["materials"].get<double>());
    EXPECT_EQ(info["textures"][0].get<std::string>().rfind("..\\textures\\", 0), 0u)
        << info["textures"][0].get<std::string>();
    EXPECT_EQ(info["trailingBytes"].get<double>(), 0);
    EXPECT_TRUE(info["problems"].empty());
    EXPECT_EQ(info["fps"].get<double>(), 24);
}

TEST(Cook, PreviewRendersEveryModelIntoOneSheet) {
    TempDir dir;
    std::string sheet = dir.path() + "/sheet.png";
    RunResult r = Cook("preview '" + sheet + "' '" + ModelPath("ring") + "' '" + ModelPath("box") +
                       "' '" + ModelPath("rocket") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::ifstream png(sheet, std::ios::binary);
    char header[24] = {};
    png.read(header, sizeof header);
    EXPECT_EQ(std::string(header + 1, 3), "PNG");
    auto be32 = [&](int at) {
        return (static_cast<unsigned char>(header[at]) << 24) |
               (static_cast<unsigned char>(header[at + 1]) << 16) |
               (static_cast<unsigned char>(header[at + 2]) << 8) |
               static_cast<unsigned char>(header[at + 3]);
    };
    EXPECT_EQ(be32(16), 512u);  // two columns and two rows of 256-pixel cells
    EXPECT_EQ(be32(20), 512u);
    EXPECT_EQ(Cook("preview '" + sheet + "'").exitCode, 2);
}

}  // namespace
