// The level file under the runner: the world's console lines in order, bad level files, and the
// sun's flare in the open and behind a wall.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/json.h"
#include "support/stage.h"

namespace {

// The position of each line in `text`, in order; fails when one is missing or out of order.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& line : lines) {
        size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "\"" << line << "\" missing or out of order";
        at = found + line.size();
    }
}

std::string Level(int numModels, const std::string& models, const std::string& extra = "") {
    return "[level]\nnumModels=" + std::to_string(numModels) +
           "\nnumEnemies=0\nnumRings=0\nnumDoors=0\nskyboxDir=textures\\sky\\\nskyboxDim=3000\n" +
           extra + "[models]\n" + models;
}

std::string Model(int i, const char* name, const char* matrix, const char* density = "0",
                  const char* concave = "0") {
    std::string n = std::to_string(i);
    return "model" + n + "=" + name + "\nphysicModel" + n + "=" + name + "\nmatrix" + n + "=" +
           matrix + "\ndensity" + n + "=" + density + "\nconcave" + n + "=" + concave + "\n";
}

constexpr const char* kAtOrigin = "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1";
constexpr const char* kGround = "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -37, 0, 0, 1";

TEST(Level, TheShippedLevelPlacesEveryEntry) {
    Stage stage;
    stage.write("s.txt", "1 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 1u);
    // The level's models, the box, the enemies, the rings and the doors, each placed by its entry.
    EXPECT_EQ(trace[0]["counts"]["objects"].get<double>(), 82);
    EXPECT_EQ(trace[0]["enemies"].size(), 8u);
    ExpectInOrder(r.output, {"canon unloaded\n", "canon unloaded\n"});  // both cannons, at exit
    const Json& rings = trace[0]["rings"];
    ASSERT_EQ(rings.size(), 10u);
    EXPECT_NEAR(rings[0]["pos"][1].get<double>(), 1.45, 1e-5);
    EXPECT_NEAR(rings[0]["pos"][2].get<double>(), 4, 1e-5);
    for (const Json& ring : rings) EXPECT_FALSE(ring["collected"].get<bool>());
    const Json& doors = trace[0]["doors"];
    ASSERT_EQ(doors.size(), 2u);
    EXPECT_NEAR(doors[0]["pos"][2].get<double>(), -12, 1e-5);
    EXPECT_EQ(doors[0]["baseY"].get<double>(), 0);
    EXPECT_EQ(doors[1]["state"].get<std::string>(), "closed");
    EXPECT_TRUE(doors[1]["hasTrigger"].get<bool>());
}

TEST(Level, CountOfZeroAndMissingEntries) {
    Stage stage;
    // model1 names a file that does not exist; its physics model does.
    stage.write("data/level1.ini",
                "[level]\nnumModels=1\nnumEnemies=0\nnumRings=0\nnumDoors=0\nskyboxDir=x\\\n"
                "skyboxDim=3000\n[models]\nmodel1=nothing_here\nphysicModel1=level_crate_1\n"
                "matrix1=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 5, 1\ndensity1=0\nconcave1=0\n");
    stage.write("s.txt", "1 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Error while loading models\\nothing_here.ms3d\n"), std::string::npos);
    EXPECT_EQ(ParseTrace(ReadFile(stage.path() + "/t.jsonl"))[0]["counts"]["objects"].get<double>(),
              2);

    stage.write("data/level1.ini", Level(0, ""));
    r = stage.run("--dt 1/60 --script s.txt --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ExpectInOrder(r.output, {"NumModels 0\n", "NumEnemies: 0\n"});
    EXPECT_EQ(r.output.find("InitModel"), std::string::npos);
    EXPECT_EQ(ParseTrace(ReadFile(stage.path() + "/t.jsonl"))[0]["counts"]["objects"].get<double>(),
              1);
}

TEST(Level, BrokenLevelFilesStopTheGameNamingTheProblem) {
    Stage stage;
    const std::string counts = "numEnemies=0\nnumDoors=0\n";
    const struct {
        std::string level, message;
    } broken[] = {
        {"[level]\nnumModels=-3\nnumRings=0\n" + counts, "\"numModels\" in section [level] is -3"},
        {"[level]\nnumModels=0\n" + counts, "has no key \"numRings\""},
        {"[level]\nnumModels=forty\nnumRings=0\n" + counts,
         "\"numModels\" in section [level] is \"forty\", not a number"},
        {"[level]\nnumModels=0\nnumRings=1\n" + counts,
         "has no key \"matrix1\" in section [rings]"},
        {Level(1, Model(1, "box", "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, nan, 0, 0, 1")),
         "\"matrix1\" in section [models] holds a number that is not finite"},
        // A physics model without a cooked file stops the game in order, naming the file.
        {Level(1, Model(1, "no_such_piece", kAtOrigin)),
         "Cannot load the cooked collision mesh models\\no_such_piece.convex"},
    };
    for (const auto& level : broken) {
        stage.write("data/level1.ini", level.level);
        RunResult r = stage.run("--frames 1");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.output.find(level.message), std::string::npos) << r.output;
        EXPECT_NE(stage.log().find(level.message), std::string::npos);
    }

    // What the game can run with gets a warning naming the key, and the game goes on: a
    // placement beyond the world's bounds, and settings out of range replaced by sane ones.
    stage.write("data/level1.ini", Level(1, Model(1, "box",
                                                  "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, "
                                                  "5000, 0, 0, 1")));
    std::string ini = ReadFile(stage.path() + "/data/game.ini");
    for (auto [key, value] :
         {std::pair{"winResX=", "0"}, std::pair{"fov=", "180"}, std::pair{"camMode=", "99"}}) {
        const size_t at = ini.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        ini.replace(at, ini.find('\n', at) - at, std::string(key) + value);
    }
    stage.write("data/game.ini", ini);
    RunResult r = stage.run("--frames 2");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    for (const char* warning :
         {"Warning: data\\level1.ini: \"matrix1\" in section [models] places it at (5000, 0, 0)",
          "\"winResX\" in section [game] is 0, not from 64 to 16384; using 1024",
          "\"fov\" in section [game] is 180, not from 1 to 179; using 60",
          "\"camMode\" in section [game] is 99, not from 0 to 3; using 0"})
        EXPECT_NE(r.output.find(warning), std::string::npos) << warning << "\n" << r.output;
}

// A placement turned by `heading` about +Y, standing at x on the line z = 10.
std::string EnemyAt(int i, const char* kind, float heading, float x) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "kind%i=%s\nmatrix%i=%g, 0, %g, 0, 0, 1, 0, 0, %g, 0, %g, 0, %g, 1, 10, 1\n", i,
                  kind, i, std::cos(heading), -std::sin(heading), std::sin(heading),
                  std::cos(heading), x);
    return text;
}

TEST(Level, EnemiesOfTheFourKindsLoadInFileOrderAndUnknownKindsAreSkipped) {
    Stage stage;
    // Headings in all four quarters; a kind without a class, and an entry without one.
    const float headings[] = {2.5f, -0.5f, 2.0f, -2.5f};
    std::string enemies = "[enemies]\n" + EnemyAt(1, "0", headings[0], 0) + EnemyAt(2, "7", 0, 5) +
                          EnemyAt(3, "1", headings[1], 10) + EnemyAt(4, "2", headings[2], 15) +
                          EnemyAt(5, "3", headings[3], 20) +
                          "matrix6=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 25, 1, 10, 1\n";
    std::string level = Level(0, "");
    level.replace(level.find("numEnemies=0"), 12, "numEnemies=6");
    stage.write("data/level1.ini", level + enemies);
    stage.write("s.txt", "1 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ExpectInOrder(r.output, {"NumEnemies: 6\n", "Enemy 2 has kind 7, which is not known: skipped\n",
                             "Enemy 6 has kind 12345678, which is not known: skipped\n",
                             "NumRings: 0\n", "canon unloaded\n"});
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0]["counts"]["objects"].get<double>(), 5);  // the box and four enemies
    const Json& loaded = trace[0]["enemies"];
    ASSERT_EQ(loaded.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded[i]["kind"].get<double>(), i);
        EXPECT_EQ(loaded[i]["state"].get<double>(), 0);
        EXPECT_NEAR(loaded[i]["yaw"].get<double>(), headings[i], 1e-4);
    }
    EXPECT_EQ(loaded[0]["health"].get<double>(), 50);
    EXPECT_EQ(loaded[1]["health"].get<double>(), 20);
    EXPECT_EQ(loaded[2]["health"].get<double>(), 30);
    EXPECT_EQ(loaded[3]["health"].get<double>(), 200);
}

// The ball rolls off to its left, then turns to face the sun (yaw 1.05) and looks up 25 degrees.
// The light marker above the spawn point would hide the sun from the pedestal itself.
bool SunVisible(const std::string& level) {
    Stage stage;
    stage.useSmallWindow();
    stage.write("data/level1.ini", level);
    stage.write("s.txt", "120 down a\n170 up a\n230 move 23 10\n240 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --trace t.jsonl");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    return !trace.empty() && trace.back()["sunVisible"].get<bool>();
}

TEST(Level, TheSunsFlareShowsInTheOpenAndHidesBehindAWall) {
    std::string ground = Model(1, "level_ground_126x200", kGround);
    EXPECT_TRUE(SunVisible(Level(1, ground)));
    // A tall wall three units beyond the ball, square to the sun.
    std::string wall = Model(2, "level_wall_16x8",
                             "0.5, 0, -0.866, 0, 0, 1, 0, 0, 0.866, 0, 0.5, 0, 9.3, 0, 2.7, 1");
    EXPECT_FALSE(SunVisible(Level(2, ground + wall)));
}

}  // namespace
