// The game starts, steps and exits under the runner as a player's run does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "render/ms3d_file.h"
#include "run/script.h"
#include "support/play_stage.h"

namespace fs = std::filesystem;

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

// Each program answers --help and --version on standard output with exit code 0, and refuses an
// option it does not know or a file it cannot use with one line on the error stream and a
// non-zero exit code, before it writes anything.
TEST(Startup, EveryProgramExplainsItselfAndRefusesWhatItCannotUse) {
    struct Case {
        const char* program;
        const char* arguments;
        int exitCode;
        const char* says;  // the start of what it prints
    };
    const std::string version = std::string(" (Zorvan) ") + ZORVAN_VERSION;
    const Case cases[] = {
        {"zorvan", "--help", 0, "usage: zorvan [--data DIR]"},
        {"zorvan-run", "--frames 3 --help", 0, "usage: zorvan-run [OPTION...]"},
        {"zorvan-cook", "--help", 0, "usage: zorvan-cook FILE.ms3d..."},
        {"zorvan-assetgen", "--help", 0, "usage: zorvan-assetgen OUTDIR"},
        {"zorvan", "--version", 0, "zorvan (Zorvan) "},
        {"zorvan-run", "--version", 0, "zorvan-run (Zorvan) "},
        {"zorvan-cook", "--version", 0, "zorvan-cook (Zorvan) "},
        {"zorvan-assetgen", "--version", 0, "zorvan-assetgen (Zorvan) "},
        {"zorvan", "--bogus", 2, "zorvan: unknown option --bogus (zorvan --help lists"},
        {"zorvan", "-geometry", 2, "zorvan: -geometry takes a value"},
        {"zorvan", "level2.ini", 2, "zorvan: unexpected argument level2.ini"},
        {"zorvan-run", "--frobnicate 1", 2, "zorvan-run: unknown option --frobnicate"},
        {"zorvan-run", "--dt -1", 2, "zorvan-run: --dt takes seconds"},
        {"zorvan-run", "--record r.txt --random 1", 2, "zorvan-run: --record takes the"},
        {"zorvan-cook", "-v model.ms3d", 2, "zorvan-cook: unknown option -v"},
        {"zorvan-cook", "info", 2, "zorvan-cook: info takes one model file"},
        {"zorvan-assetgen", "--out x", 2, "zorvan-assetgen: unknown option --out"},
        {"zorvan-assetgen", "", 2, "zorvan-assetgen: takes one folder"},
        {"zorvan", "--data missing", 1, "zorvan: found no data/game.ini in missing"},
        {"zorvan-run", "--data missing --trace t.jsonl", 1,
         "zorvan-run: found no data/game.ini in"},
        {"zorvan-run", "--data broken --frames 1", 1,
         "Cannot start: data\\game.ini has no key \"winResX\" in section [game]"},
        {"zorvan-run", "--script missing.txt", 2, "zorvan-run: cannot open script missing.txt"},
        {"zorvan-run", "--script bad.txt", 2, "zorvan-run: bad.txt: script line 2: cannot read"},
        {"zorvan-run", "--shot 5:missing/x.png", 2, "zorvan-run: cannot write screenshot"},
        {"zorvan-run", "--trace missing/t.jsonl", 2, "zorvan-run: cannot write trace"},
        {"zorvan-run", "--sound-log missing/s.txt", 2, "zorvan-run: cannot write sound log"},
        {"zorvan-cook", "missing.ms3d", 1, "zorvan-cook: missing.ms3d: not a readable"},
        {"zorvan-cook", "info missing.ms3d", 1, "zorvan-cook: missing.ms3d: not a readable"},
        {"zorvan-cook", "preview out.png missing.ms3d", 1, "zorvan-cook: missing.ms3d: not a"},
        {"zorvan-assetgen", "taken/out", 1, "zorvan-assetgen: cannot create taken/out/icons"},
    };
    // Every program runs in here: a file that is in the way, a bad script, and a game folder
    // whose settings lack the window's width.
    TempDir here;
    here.write("taken", "a file, not a folder");
    here.write("bad.txt", "0 down w\n1 jump high\n");
    here.write("broken/data/game.ini", "[game]\nwinResY=768\nwinLeft=0\nwinTop=0\nfullscreen=0\n");
    for (const Case& c : cases) {
        // Answers go to standard output alone, complaints to the error stream alone.
        std::string run = std::string("'") + ZORVAN_STAGE_DIR + "/" + c.program + "' " +
                          c.arguments + (c.exitCode == 0 ? " 2>/dev/null" : " 2>&1 >/dev/null");
        RunResult r = RunCommand("cd '" + here.path() + "' && (" + run + ")");
        EXPECT_EQ(r.exitCode, c.exitCode) << run << "\n" << r.output;
        EXPECT_EQ(r.output.rfind(c.says, 0), 0u) << run << "\n" << r.output;
        if (c.exitCode != 0) {
            EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        }
        if (std::strstr(c.arguments, "--version")) {
            EXPECT_NE(r.output.find(version), std::string::npos) << r.output;
        }
    }
    // Not a folder named "--help", no picture of a missing model, no screenshot: nothing.
    EXPECT_EQ(std::distance(fs::directory_iterator(here.path()), fs::directory_iterator()), 3);
    // The game without its window's width stopped before the window opened, and logged why.
    EXPECT_EQ(ReadFile(here.path() + "/broken/zvLog.txt"),
              "Load Game Settings\nCannot start: data\\game.ini has no key \"winResX\" in "
              "section [game]\n");
}

// The installed game runs from any folder: it finds its data under the prefix's share folder and
// writes its log there, or in the player's state folder when it cannot.
TEST(Startup, TheInstalledGameRunsFromAnyFolder) {
    TempDir prefix;
    const fs::path p = prefix.path();
    RunResult r = RunCommand(std::string("'") + ZORVAN_CMAKE + "' --install '" + ZORVAN_BUILD_DIR +
                             "' --prefix '" + p.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* file :
         {"bin/zorvan", "bin/zorvan-run", "bin/zorvan-cook", "bin/zorvan-assetgen",
          "share/zorvan/data/level1.ini", "share/zorvan/models/avatar_ball.concave",
          "share/zorvan/textures/sky/z+.bmp", "share/zorvan/sounds/explosion.wav",
          "share/applications/org.zorvan.Zorvan.desktop",
          "share/icons/hicolor/256x256/apps/zorvan.png",
          "share/metainfo/org.zorvan.Zorvan.metainfo.xml", "share/man/man6/zorvan.6",
          "share/doc/zorvan/LICENSE"})
        EXPECT_TRUE(fs::exists(p / file)) << file;

    const std::string run = "'" + (p / "bin/zorvan-run").string() +
                            "' --dt 1/60 --frames 30 --trace '" + (p / "t.jsonl").string() + "'";
    r = RunCommand("cd / && " + run);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(ParseTrace(ReadFile((p / "t.jsonl").string())).size(), 30u);
    const std::string log = ReadFile((p / "share/zorvan/zvLog.txt").string());
    EXPECT_EQ(log.rfind("Load Game Settings\n", 0), 0u) << log;
    EXPECT_TRUE(log.ends_with("UnloadModels\nExiting\n")) << log;
    EXPECT_EQ(r.output.find("Log file"), std::string::npos);

    // Where the log cannot be written (here a folder stands in its way, which stops even root),
    // it goes to the player's state folder, and the console says so.
    fs::remove(p / "share/zorvan/zvLog.txt");
    fs::create_directory(p / "share/zorvan/zvLog.txt");
    r = RunCommand("cd / && XDG_STATE_HOME='" + (p / "state").string() + "' " + run);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const fs::path moved = p / "state/zorvan/zvLog.txt";
    EXPECT_NE(r.output.find("Log file: " + moved.string() + "\n"), std::string::npos) << r.output;
    EXPECT_TRUE(ReadFile(moved.string()).ends_with("UnloadModels\nExiting\n"));
}

// A game played with the real clock under --record plays back from the recording to the same
// trace: held keys, the pointer, the buttons, a function key and a pause, whose end reads the
// clock in the middle of a frame. The window's close button, recorded too, ends both runs
// through the game's own exit.
TEST(Startup, ARecordedGameReplaysToTheSameTraceAndTheCloseButtonEndsIt) {
    Stage stage;
    stage.useSmallWindow();
    stage.write("play.txt",
                "2 down w\n6 move 100 96\n10 down space\n14 up space\n18 press left\n"
                "24 release left\n26 down p\n30 down p\n32 fkey 9\n34 up w\n36 press right\n"
                "37 release right\n40 close\n");
    RunResult r = stage.run("--script play.txt --record rec.txt --trace played.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(stage.log().ends_with("UnloadModels\nExiting\n")) << stage.log();
    std::string played = ReadFile(stage.path() + "/played.jsonl");
    std::vector<Json> trace = ParseTrace(played);
    ASSERT_EQ(trace.size(), 40u);  // the close arrives with the window's events of frame 40
    EXPECT_TRUE(trace[29]["paused"].get<bool>());
    EXPECT_FALSE(trace[30]["paused"].get<bool>());

    std::vector<ScriptStep> recorded;
    std::string error;
    ASSERT_TRUE(ParseScript(ReadFile(stage.path() + "/rec.txt"), recorded, error)) << error;
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(recorded.back().action, ScriptAction::Close);
    EXPECT_EQ(recorded.back().frame, 40);
    for (const ScriptStep& step : recorded) {  // each step time is the one the game measured
        if (step.action != ScriptAction::StepTime || step.frame >= 40) continue;
        if (!trace[step.frame]["paused"].get<bool>()) {
            EXPECT_NEAR(trace[step.frame]["timeDelta"].get<double>(), step.seconds, 1e-9);
        }
    }

    r = stage.run("--script rec.txt --trace replayed.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(ReadFile(stage.path() + "/replayed.jsonl"), played);
    EXPECT_TRUE(stage.log().ends_with("UnloadModels\nExiting\n"));
}

// The first step measures from the counter's start (the game time starts at 100 s), the next
// from the last. P at frame 3 pauses and P at frame 10 resumes: the step after measures from the
// second press. Quit at frame 12 ends the run before that frame.
TEST(Startup, StepsMeasureFromTheLastAndAPauseDoesNotCount) {
    std::vector<Json> trace = PlayStage().trace("3 down p\n10 down p\n12 quit\n", "0.02");
    ASSERT_EQ(trace.size(), 12u);
    EXPECT_DOUBLE_EQ(trace[0]["gameTime"].get<double>(), 100.0);
    EXPECT_DOUBLE_EQ(trace[0]["timeDelta"].get<double>(), 100.0);
    EXPECT_NEAR(trace[1]["timeDelta"].get<double>(), 0.02, 1e-9);
    EXPECT_FALSE(trace[1]["paused"].get<bool>());
    EXPECT_TRUE(trace[5]["paused"].get<bool>());
    EXPECT_FALSE(trace[10]["paused"].get<bool>());
    EXPECT_NEAR(trace[10]["timeDelta"].get<double>(), 0.02, 1e-9);
    EXPECT_NEAR(trace[10]["gameTime"].get<double>(), 100.2, 1e-9);  // still jumps by the pause
}

// Sound changes nothing that the game does: one script with shots, rockets, a boost and rolling
// plays to the same trace and reports the same sound events with OpenAL Soft's null device (the
// tests' own), with no device at all, and with sound switched off and the mute key pressed. A
// volume out of range is named and replaced; a missing [sound] section is no fault, nor a broken
// sound file.
TEST(Startup, SoundOnOffOrWithoutADeviceChangesNothingElse) {
    Stage stage;
    stage.useSmallWindow();
    const std::string script =
        "130 down w\n150 press left\n150 press right\n175 down space\n185 up space\n"
        "200 release left\n200 release right\n205 up w\n240 quit\n";
    stage.write("s.txt", script);
    const std::string run = "--dt 1/60 --script s.txt --trace t.jsonl --sound-log s.log";
    const char* drivers = std::getenv("ALSOFT_DRIVERS");
    const std::string before = drivers ? drivers : "";
    const std::string settings = ReadFile(stage.path() + "/data/game.ini");
    auto play = [&](const std::string& device, const std::string& sound) {
        setenv("ALSOFT_DRIVERS", device.c_str(), 1);
        stage.write("data/game.ini", settings.substr(0, settings.find("[sound]")) + sound);
        RunResult r = stage.run(run);
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return std::pair{r.output,
                         ReadFile(stage.path() + "/t.jsonl") + ReadFile(stage.path() + "/s.log")};
    };
    auto [quiet, heard] = play("null", "[sound]\nenabled=1\nvolume=80\n");
    EXPECT_EQ(quiet.find("Sound"), std::string::npos) << quiet;  // every sound file was usable
    for (const char* event : {" shot ", " launch ", " boost ", " roll "})
        EXPECT_NE(heard.find(event), std::string::npos) << event;

    auto [warned, withoutDevice] = play("none", "[sound]\nvolume=250\n");
    EXPECT_EQ(withoutDevice, heard);
    EXPECT_NE(warned.find("data\\game.ini: \"volume\" in section [sound] is 250, not from 0 to "
                          "100; using 80\n"),
              std::string::npos)
        << warned;
    stage.write("s.txt", "140 fkey 7\n180 fkey 7\n190 fkey 7\n" + script);
    EXPECT_EQ(play("null", "[sound]\nenabled=0\n").second, heard);
    EXPECT_EQ(play("null", "").second, heard);

    // A sound file that is not one is named once, and that sound stays silent.
    fs::remove(stage.path() + "/sounds");
    fs::copy(std::string(ZORVAN_STAGE_DIR) + "/sounds", stage.path() + "/sounds");
    stage.write("sounds/ring.wav", "a ring, in words");
    auto [named, regardless] = play("null", "");
    EXPECT_EQ(regardless, heard);
    EXPECT_NE(named.find("Sound: sounds/ring.wav not a RIFF WAVE file; it stays silent\n"),
              std::string::npos)
        << named;
    if (drivers)
        setenv("ALSOFT_DRIVERS", before.c_str(), 1);
    else
        unsetenv("ALSOFT_DRIVERS");
}

// A level with one entry of every kind: the whole console transcript and the whole log of a
// start-up, three steps and the exit through Escape, line by line in the game's order.
TEST(Startup, ConsoleAndLogFollowTheGamesOrderLineByLine) {
    Stage stage;
    stage.useSmallWindow();
    stage.write(
        "data/level1.ini",
        WithRingsAndDoors(
            LevelWith(
                {{"level_ground_66x200", 0, 0, 0},
                 {"level_crate_1", 8, 2, 8, 0.5f, "level_crate_05"}},
                {{0, -20, 0.5f, 40}, {1, -10, 0.5f, 40}, {2, 0, 0.5f, 40}, {3, 10, 0.5f, 40}}),
            {{0, 2, -30}}, {{10, 0, -30}}));
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
