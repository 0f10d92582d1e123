// zorvan-cook: cooking for the physics layer, the info report and the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "NxPhysics.h"
#include "generated.h"
#include "physics/stream.h"
#include "support/command.h"
#include "support/json.h"
#include "support/play_stage.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

RunResult Cook(const std::string& arguments) {
    return RunCommand(std::string("'") + ZORVAN_COOK + "' " + arguments);
}

TEST(Cook, WritesBothCollisionFilesThatTheLayerReads) {
    TempDir dir;
    const std::string crate = dir.path() + "/level_crate_1.ms3d", ring = dir.path() + "/ring.ms3d";
    fs::copy_file(ModelPath("level_crate_1"), crate);
    fs::copy_file(ModelPath("ring"), ring);
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
    const Picture picture = LoadPicture(sheet);
    EXPECT_EQ(picture.width, 512);  // two columns and two rows of 256-pixel cells
    EXPECT_EQ(picture.height, 512);
    EXPECT_EQ(Cook("preview '" + sheet + "'").exitCode, 2);
}

// A level author's folder: the shipped level, the generated models cooked by the author, the
// textures. `check` is silent on it; then each thing an author may break is reported on a line
// of its own that names the level file, the section and the key.
TEST(Cook, CheckReportsEveryProblemOfALevelAndWhatItNames) {
    TempDir game;
    fs::create_directories(game.path() + "/models");
    fs::create_directories(game.path() + "/data");
    for (const auto& file : fs::directory_iterator(GeneratedDir() + "/models"))
        fs::copy_file(file.path(), game.path() + "/models/" + file.path().filename().string());
    fs::create_directory_symlink(GeneratedDir() + "/textures", game.path() + "/textures");
    fs::copy_file(std::string(ZORVAN_SOURCE_DIR) + "/data/level1.ini",
                  game.path() + "/data/level1.ini");
    const std::string inGame = "cd '" + game.path() + "' && ";
    ASSERT_EQ(RunCommand(inGame + "'" + ZORVAN_COOK + "' models/*.ms3d").exitCode, 0);
    RunResult r = RunCommand(inGame + "'" + ZORVAN_COOK + "' check");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "");

    // A model file cut short, a cooked hull gone, a texture that a model names gone astray and a
    // group without a material (the level file's own mistakes are the level tests' matter).
    const std::string models = game.path() + "/models/";
    const std::string pillar = ReadFile(models + "level_pillar_8.ms3d");
    std::ofstream(models + "level_pillar_8.ms3d", std::ios::binary) << pillar.substr(0, 300);
    fs::remove(models + "level_ramp_16x2.convex");
    std::string crate = ReadFile(models + "level_crate_05.ms3d");
    crate.replace(crate.find("crate.jpg"), 9, "crane.jpg");
    std::ofstream(models + "level_crate_05.ms3d", std::ios::binary) << crate;
    // The floor's first group loses its material (-1): the group that follows the vertices and
    // triangles, whose last byte is the material index.
    std::string floor = ReadFile(models + "level_floor_4x4.ms3d");
    auto u16 = [&](size_t at) {
        return size_t(uint8_t(floor[at])) | size_t(uint8_t(floor[at + 1])) << 8;
    };
    const size_t triangles = 16 + 15 * u16(14);
    const size_t group = triangles + 2 + 70 * u16(triangles) + 2;
    floor[group + 35 + 2 * u16(group + 33)] = char(-1);
    std::ofstream(models + "level_floor_4x4.ms3d", std::ios::binary) << floor;

    r = RunCommand(inGame + "'" + ZORVAN_COOK + "' check data/level1.ini");
    EXPECT_EQ(r.exitCode, 1);
    const std::string file = "data/level1.ini: ";
    const std::vector<std::string> lines = {
        "Cannot start: " + file + "\"physicModel10\" in section [models]: " +
            "models\\level_ramp_16x2.convex does not exist; cook it from the model: " +
            "zorvan-cook models/level_ramp_16x2.ms3d",
        "Warning: " + file + "\"model19\" in section [models]: models\\level_crate_05.ms3d: its " +
            "material \"crate\" names the texture \"..\\textures\\crane.jpg\", and " +
            "textures\\crane.jpg does not exist: it shows a checker",
        "Warning: " + file + "\"model",  // the pillar, at the first entry that names it
    };
    ExpectInOrder(r.output, lines);
    EXPECT_NE(
        r.output.find("models\\level_pillar_8.ms3d is not a MilkShape 3D version 4 file "
                      "the game can read (it breaks at byte 16, in the vertices: the file ends)"),
        std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("models\\level_floor_4x4.ms3d: triangles whose indices point at "
                            "nothing are not drawn (1 such indices; the first: group 0: material "
                            "index -1 of 1 materials)"),
              std::string::npos);
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 4) << r.output;

    fs::remove(game.path() + "/data/level1.ini");
    r = RunCommand(inGame + "'" + ZORVAN_COOK + "' check");
    EXPECT_EQ(r.output, "Cannot start: data/level1.ini is missing\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Cook("check a b").exitCode, 2);
}

}  // namespace
