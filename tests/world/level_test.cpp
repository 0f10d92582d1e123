// The level file under the runner: the world's console lines in order, bad level files, and the
// sun's flare in the open and behind a wall (the demos play the shipped level).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/level_check.h"
#include "support/play_stage.h"

namespace {

// A small level that the check passes: the first ground slab, a crate that falls, an enemy, a
// ring and a door.
const std::string kSmallLevel = WithRingsAndDoors(
    LevelWith({{"level_ground_126x200", -37, 0, 0}, {"level_crate_1", 2, 3, 4, 0.5f}},
              {{0, -20, 0.5f, 40}}),
    {{0, 2, -30}}, {{10, 0, -30}});

// The level with the first occurrence of `line` (a whole line) replaced by `by`.
std::string Changed(const std::string& line, const std::string& by,
                    std::string level = kSmallLevel) {
    const size_t at = level.find(line + "\n");
    if (at == std::string::npos)
        ADD_FAILURE() << "no line " << line;
    else
        level.replace(at, line.size() + 1, by.empty() ? "" : by + "\n");
    return level;
}

// A level author's mistakes, each with what the level file's check says of it: fatal or a
// warning, the section and key, and words of the line. Every line names the file.
TEST(Level, EveryMistakeOfALevelAuthorGetsOneLineNamingSectionAndKey) {
    struct Expected {
        bool fatal;
        const char* section;
        const char* key;
        const char* words;
    };
    const std::string matrix2 = "matrix2=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 3, 4, 1";
    const struct {
        std::string level;
        std::vector<Expected> expected;
    } mistakes[] = {
        {kSmallLevel, {}},
        {Changed("numModels=2", "numModels=forty"),
         {{true, "level", "numModels", "is \"forty\", not a number"}}},
        {Changed("numModels=2", "numModels=-3"),
         {{true, "level", "numModels", "is -3, not a count"}}},
        {Changed("numRings=1", ""), {{true, "level", "numRings", "has no key \"numRings\""}}},
        {Changed("numModels=2", "numModels=3"),
         {{true, "models", "model3", "has no keys of entry 3, though \"numModels\""}}},
        {Changed("numModels=2", "numModels=1"),
         {{false, "models", "", "has keys of entry 2, beyond the 1 that its count"}}},
        {Changed("numModels=2", "numModels=2 ; two"),
         {{false, "level", "numModels",
           "reads as 2: the rest is not part of the number (a comment"}}},
        {Changed("[models]", "[model]"),
         {{false, "model", "", "reads no section [model] (is [models] meant?)"},
          {true, "models", "", "has no entries in section [models]"}}},
        {kSmallLevel + "[level]\nnumModels=0\n",
         {{false, "level", "", "section [level] appears again"}}},
        {Changed("model2=level_crate_1", "model2=level_crate_1\nmodel2=box"),
         {{false, "models", "model2", "appears again: the game reads only the first"}}},
        {Changed(matrix2, "matirx2" + matrix2.substr(7)),
         {{false, "models", "matirx2", "not a key the game reads (is \"matrix2\" meant?)"},
          {true, "models", "matrix2", "has no key \"matrix2\""}}},
        {Changed("model2=level_crate_1", "model2=level_crat_1"),
         {{false, "models", "model2",
           "models\\level_crat_1.ms3d does not exist: the object is invisible, though it "
           "collides (is \"level_crate_1\" meant?)"}}},
        {Changed("model2=level_crate_1", ""), {{false, "models", "model2", "object is invisible"}}},
        {Changed("physicModel2=level_crate_1", ""),
         {{true, "models", "physicModel2", "every model needs a collision mesh"}}},
        {Changed("physicModel2=level_crate_1", "physicModel2=no_such_piece"),
         {{true, "models", "physicModel2",
           "models\\no_such_piece.convex does not exist, nor does models\\no_such_piece.ms3d"}}},
        {Changed(matrix2, ""), {{true, "models", "matrix2", "has no key \"matrix2\""}}},
        {Changed(matrix2, "matrix2=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, nan, 0, 0, 1"),
         {{true, "models", "matrix2", "holds a number that is not finite"}}},
        {Changed(matrix2, "matrix2=1 0 0 0 0 1 0 0 0 0 1 0 2 3 4 1"),
         {{false, "models", "matrix2",
           "1 of its 16 numbers read (the numbers are separated by commas)"}}},
        {Changed(matrix2, "matrix2=1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4"),
         {{false, "models", "matrix2", "12 of its 16 numbers read, and the others read as 0"}}},
        {Changed(matrix2, "matrix2=1, 0, 0, 2, 0, 1, 0, 3, 0, 0, 1, 4, 0, 0, 0, 1"),
         {{false, "models", "matrix2", "the numbers go column by column"}}},
        {Changed(matrix2, "matrix2=2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 3, 4, 1"),
         {{false, "models", "matrix2", "scales or shears"}}},
        {Changed(matrix2, "matrix2=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5000, 0, 0, 1"),
         {{false, "models", "matrix2", "places it at (5000, 0, 0), beyond the world's bounds"}}},
        {Changed("density2=0.5", ""), {{false, "models", "density2", "it reads as 12345678"}}},
        {Changed("density2=0.5", "density2=0,5"),
         {{false, "models", "density2",
           "reads as 0: the rest is not part of the number "
           "(decimals take a point)"}}},
        {Changed("density2=0.5", "density2=-1"), {{true, "models", "density2", "a density is 0"}}},
        {Changed("concave2=0", ""),
         {{false, "models", "concave2", "it reads as 1, a collision mesh of triangles"},
          {false, "models", "concave2", "it collides as its convex hull"}}},
        {Changed("kind1=0", "kind1=7"),
         {{false, "enemies", "kind1", "is 7, not a kind from 0 to 3"}}},
        {Changed("kind1=0", "kind1=cannon"),
         {{false, "enemies", "kind1", "not a number: it reads as 0, a cube cannon"}}},
        {Changed("numDoors=1", "numDoors=3"),
         {{true, "doors", "matrix2", "section [doors] has no keys of entries 2 to 3"}}},
        {Changed("skyboxDir=textures\\sky\\", "skyboxDir=textures\\skies\\"),
         {{false, "level", "skyboxDir",
           "\"textures\\skies\\\" holds none of the sky box's faces"}}},
        {Changed("skyboxDir=textures\\sky\\", "skyboxDir=textures\\sky"),
         {{false, "level", "skyboxDir", "(the folder must end in a backslash)"}}},
        {Changed("skyboxDim=3000", ""), {{false, "level", "skyboxDim", "the sky is black"}}},
    };
    TempDir dir;
    const std::string file = dir.write("level1.ini", "");
    for (const auto& mistake : mistakes) {
        dir.write("level1.ini", mistake.level);
        const std::vector<LevelProblem> problems = CheckLevelFile(file.c_str());
        std::string all;
        for (const LevelProblem& p : problems) all += p.message + "\n";
        SCOPED_TRACE(all);
        ASSERT_EQ(problems.size(), mistake.expected.size());
        for (size_t i = 0; i < problems.size(); ++i) {
            const Expected& e = mistake.expected[i];
            EXPECT_EQ(problems[i].fatal, e.fatal) << e.words;
            EXPECT_EQ(problems[i].section, e.section) << e.words;
            EXPECT_EQ(problems[i].key, e.key) << e.words;
            EXPECT_NE(problems[i].message.find(e.words), std::string::npos) << e.words;
            EXPECT_EQ(problems[i].message.rfind(e.fatal ? "Cannot start: " + file : file, 0), 0u);
        }
    }
    std::filesystem::remove(file);
    ASSERT_EQ(CheckLevelFile(file.c_str()).size(), 1u);
    EXPECT_EQ(CheckLevelFile(file.c_str())[0].message, "Cannot start: " + file + " is missing");
}

// The game itself: what it stops for goes to standard error and the log, and the progress on
// standard output stays as it is; what it can run with gets a warning there, and it goes on.
TEST(Level, TheGameStopsOrWarnsOnTheErrorStreamAndInTheLog) {
    Stage stage;
    // The crate's model without its cooked hull: the stage's models, but for that file.
    const std::filesystem::path models = stage.path() + "/models";
    const std::filesystem::path shared = std::filesystem::read_symlink(models);
    std::filesystem::remove(models);
    std::filesystem::create_directory(models);
    for (const auto& file : std::filesystem::directory_iterator(shared))
        if (file.path().filename() != "level_crate_1.convex")
            std::filesystem::create_symlink(file.path(), models / file.path().filename());
    const struct {
        std::string level, message;
    } stops[] = {
        {Changed("numModels=2", "numModels=forty"),
         "Cannot start: data\\level1.ini: \"numModels\" in section [level] is \"forty\", not a "
         "number\n"},
        // A missing cooked file is called missing, and no model error comes before it.
        {kSmallLevel,
         "Cannot start: data\\level1.ini: \"physicModel2\" in section [models]: "
         "models\\level_crate_1.convex does not exist; cook it from the model: zorvan-cook "
         "models/level_crate_1.ms3d\n"},
    };
    for (const auto& stop : stops) {
        stage.write("data/level1.ini", stop.level);
        RunResult errors = stage.run("--frames 1 2>&1 >/dev/null");
        EXPECT_EQ(errors.exitCode, 1);
        EXPECT_EQ(errors.output, stop.message);
        RunResult all = stage.run("--frames 1");
        EXPECT_EQ(all.output.find("Error while"), std::string::npos) << all.output;
        EXPECT_EQ(all.output.find("short"), std::string::npos) << all.output;
        EXPECT_EQ(stage.log(), "Load Game Settings\nInitialize Physics\n" + stop.message);
    }

    // Warnings: the game runs on. A placement beyond the world's bounds, a model file that does
    // not exist (the object stays, invisible), settings out of range replaced by sane ones, and
    // enemies: one of each kind with headings in all four quarters, which load in file order, a
    // kind without a class and an entry without a kind, which are left out.
    const float headings[] = {2.5f, -0.5f, 2.0f, -2.5f}, health[] = {50, 20, 30, 200};
    stage.write(
        "data/level1.ini",
        Changed("kind6=0", "",
                WithRingsAndDoors(LevelWith({{"level_ground_126x200", -37, 0, 0},
                                             {"level_crat_1", 5000, 3, 4, 0.5f, "level_crate_05"}},
                                            {{0, 0, 1, 10, headings[0]},
                                             {7, 5, 1, 10},
                                             {1, 10, 1, 10, headings[1]},
                                             {2, 15, 1, 10, headings[2]},
                                             {3, 20, 1, 10, headings[3]},
                                             {0, 25, 1, 10}}),
                                  {{0, 2, -30}}, {{10, 0, -30}})));
    stage.setting("winResX", "0");
    stage.setting("fov", "180");
    stage.setting("camMode", "99");
    stage.write("s.txt", "1 quit\n");
    RunResult errors = stage.run("--dt 1/60 --script s.txt --trace t.jsonl 2>&1 >out.txt");
    EXPECT_EQ(errors.exitCode, 0) << errors.output;
    const std::vector<std::string> warnings = {
        "Warning: data\\game.ini: \"winResX\" in section [game] is 0, not from 64 to 16384; "
        "using 1024",
        "Warning: data\\level1.ini: \"model2\" in section [models]: models\\level_crat_1.ms3d "
        "does not exist: the object is invisible, though it collides (is \"level_crate_1\" "
        "meant?)",
        "Warning: data\\level1.ini: \"matrix2\" in section [models] places it at (5000, 3, 4)",
        "\"kind2\" in section [enemies] is 7, not a kind from 0 to 3",
        "has no key \"kind6\" in section [enemies]: the enemy is left out\n",
        "\"camMode\" in section [game] is 99, not from 0 to 3; using 0",
        "\"fov\" in section [game] is 180, not from 1 to 179; using 60"};
    ExpectInOrder(errors.output, warnings);
    ExpectInOrder(stage.log(), warnings);
    EXPECT_EQ(errors.output.find("Error while"), std::string::npos);  // the store's, on stdout
    ExpectInOrder(ReadFile(stage.path() + "/out.txt"),
                  {"NumModels 2\n", "Error while loading models\\level_crat_1.ms3d\n",
                   "NumEnemies: 6\n", "NumRings: 1\n", "canon unloaded\n"});
    const Json trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl")).at(0);
    // Two models, the box, four enemies, the ring and the door.
    EXPECT_EQ(trace["counts"]["objects"].get<double>(), 9);
    const Json& loaded = trace["enemies"];
    ASSERT_EQ(loaded.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded[i]["kind"].get<double>(), i);
        EXPECT_EQ(loaded[i]["state"].get<double>(), 0);
        EXPECT_NEAR(loaded[i]["yaw"].get<double>(), headings[i], 1e-4);
        EXPECT_EQ(loaded[i]["health"].get<double>(), health[i]);
    }
}

// The ball rolls off to its left, then turns to face the sun (yaw 1.05) and looks up 25 degrees.
// The light marker above the spawn point would hide the sun from the pedestal itself.
bool SunVisible(const std::vector<LevelPiece>& pieces) {
    PlayStage stage(LevelWith(pieces), 256, 192);
    auto trace = stage.trace("120 down a\n170 up a\n230 move 23 10\n240 quit\n");
    return !trace.empty() && trace.back()["sunVisible"].get<bool>();
}

TEST(Level, TheSunsFlareShowsInTheOpenAndHidesBehindAWall) {
    const LevelPiece ground = {"level_ground_126x200", -37, 0, 0};
    EXPECT_TRUE(SunVisible({ground}));
    // A tall wall three units beyond the ball, square to the sun.
    EXPECT_FALSE(SunVisible({ground,
                             {"level_wall_16x8", 9.3f, 0, 2.7f, 0, nullptr,
                              "0.5, 0, -0.866, 0, 0, 1, 0, 0, 0.866, 0, 0.5, 0"}}));
}

}  // namespace
