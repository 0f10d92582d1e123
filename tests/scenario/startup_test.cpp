// The game starts, steps and exits under the runner as a player's run does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "render/ms3d_file.h"
#include "support/json.h"
#include "support/stage.h"

namespace {

// The console transcript a run should print, built line by line from the game's rules.
class Transcript {
public:
    void line(const std::string& text) { text_ += text + "\n"; }
    // A request to the model store for "models\<name>.ms3d": the first one loads the file and
    // prints the store's size, each textured material, and the file's name.
    void model(const std::string& name) {
        std::string path = "models\\" + name + ".ms3d";
        if (std::find(loaded_.begin(), loaded_.end(), path) != loaded_.end()) return;
        line("VBOList groesse:  " + std::to_string(loaded_.size()));
        CMS3DFile file;
        ASSERT_TRUE(file.Load(path.c_str())) << path;
        for (int i = 0; i < file.MaterialCount(); ++i) {
            ms3d_material_t* material = nullptr;
            file.MaterialAt(i, &material);
            const char* texture = material->texture;
            if (texture[0] == '\0') continue;
            while (*texture == '.' || *texture == '\\') ++texture;
            line(std::string("Load Texture: ") + texture);
        }
        line("::" + path + "::");
        loaded_.push_back(path);
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::vector<std::string> loaded_;
};

}  // namespace

// The first step measures from the counter's start (the game time starts at 100 s), the next
// from the last; quit at frame 2 ends the run before that frame.
TEST(Startup, StepsMeasureFromTheStartAndQuitEndsTheRun) {
    Stage stage;
    stage.write("s.txt", "2 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --frames 10 --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_DOUBLE_EQ(trace[0]["gameTime"].get<double>(), 100.0);
    EXPECT_DOUBLE_EQ(trace[0]["timeDelta"].get<double>(), 100.0);
    EXPECT_NEAR(trace[1]["timeDelta"].get<double>(), 1.0 / 60, 1e-8);
    EXPECT_FALSE(trace[1]["paused"].get<bool>());
}

TEST(Startup, PauseDoesNotCountAsStepTime) {
    Stage stage;
    // P at frame 3 pauses; P at frame 10 resumes; the step after measures from the second press.
    stage.write("s.txt", "3 down p\n10 down p\n");
    RunResult r = stage.run("--dt 0.02 --script s.txt --frames 12 --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 12u);
    EXPECT_TRUE(trace[5]["paused"].get<bool>());
    EXPECT_FALSE(trace[10]["paused"].get<bool>());
    EXPECT_NEAR(trace[10]["timeDelta"].get<double>(), 0.02, 1e-9);
    EXPECT_NEAR(trace[10]["gameTime"].get<double>(), 100.2, 1e-9);  // still jumps by the pause
}

TEST(Startup, MissingSettingsStopBeforeTheWindowOpens) {
    Stage stage;
    stage.write("data/game.ini", "[game]\nwinResY=768\nwinLeft=0\nwinTop=0\nfullscreen=0\n");
    RunResult r = stage.run("--frames 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("data\\game.ini has no key \"winResX\""), std::string::npos)
        << r.output;
    EXPECT_EQ(r.output.find("GLEW"), std::string::npos);
    EXPECT_NE(stage.log().find("winResX"), std::string::npos);
    EXPECT_EQ(stage.log().find("Initialize GLUT"), std::string::npos);

    std::filesystem::remove(stage.path() + "/data/game.ini");
    r = stage.run("--frames 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("data\\game.ini is missing"), std::string::npos) << r.output;
}

TEST(Startup, BadScriptOrOptionsExitWithTwo) {
    Stage stage;
    stage.write("s.txt", "0 down w\n1 jump high\n");
    RunResult r = stage.run("--script s.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("line 2"), std::string::npos) << r.output;
    EXPECT_EQ(stage.run("--frobnicate 1").exitCode, 2);
    EXPECT_EQ(stage.run("--dt -1").exitCode, 2);
    EXPECT_EQ(stage.run("--script missing.txt").exitCode, 2);
}

// A level with one entry of every kind: the whole console transcript and the whole log of a
// start-up, three steps and the exit through Escape, line by line in the game's order.
TEST(Startup, ConsoleAndLogFollowTheGamesOrderLineByLine) {
    Stage stage;
    stage.useSmallWindow();
    const char* place = "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, ";
    std::ostringstream level;
    level << "[level]\nnumModels=2\nnumEnemies=4\nnumRings=1\nnumDoors=1\n"
          << "skyboxDir=textures\\sky\\\nskyboxDim=3000\n[models]\n"
          << "model1=level_ground_66x200\nphysicModel1=level_ground_66x200\nmatrix1=" << place
          << "0, 0, 0, 1\ndensity1=0\nconcave1=0\n"
          << "model2=level_crate_1\nphysicModel2=level_crate_05\nmatrix2=" << place
          << "8, 2, 8, 1\ndensity2=0.5\nconcave2=0\n[enemies]\n";
    for (int kind = 0; kind < 4; ++kind)
        level << "kind" << kind + 1 << '=' << kind << "\nmatrix" << kind + 1 << '=' << place
              << -20 + 10 * kind << ", 0.5, 40, 1\n";
    level << "[rings]\nmatrix1=" << place << "0, 2, -30, 1\n[doors]\nmatrix1=" << place
          << "10, 0, -30, 1\n";
    stage.write("data/level1.ini", level.str());
    stage.write("s.txt", "3 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;

    Transcript expected;
    expected.line("initialized contact reports");
    expected.line("materialIndex 1: 1");
    size_t glew = r.output.find("Status: Using GLEW ");
    ASSERT_NE(glew, std::string::npos);
    expected.line(r.output.substr(glew, r.output.find('\n', glew) - glew));
    expected.line("Ready for GLSL: Vertex and Fragment Shader supported");
    expected.line("Ready for OpenGL 2.0");
    expected.line("Shader erstellen");
    for (int program = 0; program < 2; ++program) {
        expected.line("VS Shader compiliert");
        expected.line("FS Shader compiliert");
        expected.line("Shader Programm gelinkt");
    }
    // The avatar: its mask, respawn marker, two weapons and ball, then its CCD model.
    for (const char* name :
         {"mask01", "respawn_item", "minigun_left", "grenadegun_right", "avatar_ball", "ccd2"})
        expected.model(name);
    expected.line("NumModels 2");
    expected.line("InitModel level_ground_66x200");
    expected.model("level_ground_66x200");
    expected.line("InitModel level_crate_1");
    expected.model("level_crate_1");
    expected.model("level_crate_05");  // its own physics model
    expected.model("box");
    expected.line("NumEnemies: 4");
    for (const char* name :
         {"cube_cannon_plate", "cube_cannon_plateCO", "cube_cannon_gun", "cube_cannon_trigger",
          "cube_moving_bomb_wheel", "cube_moving_bomb_rest", "cubefly_body", "cubefly_wings_up",
          "cubefly_wings_down", "cubejumpingblock"})
        expected.model(name);
    expected.line("NumRings: 1");
    for (const char* name : {"ring", "ring_upperTrigger", "ring_lowerTrigger"})
        expected.model(name);
    expected.line("NumDoors: 1");
    for (const char* name : {"zvdoor", "zvdoor_trigger", "zvdoor_frame"}) expected.model(name);
    // The exit releases the objects last first: the cannon says so.
    expected.line("canon unloaded");
    // The runner's own report of the start-up time goes to standard error.
    std::string console = r.output;
    size_t own = console.find("zorvan-run: ");
    if (own != std::string::npos) console.erase(own, console.find('\n', own) + 1 - own);
    EXPECT_EQ(console, expected.text());

    EXPECT_EQ(stage.log(),
              "Load Game Settings\nInitialize Physics\nInitialize GLUT\nInitialize GLEW\n"
              "Initialize DEVIL\nLoadModels\nInitLight\nInitialize Sprites\nInitCamera\n"
              "UnloadModels\nExiting\n");
}
