// The game starts, steps and exits under the runner as a player's run does.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/json.h"
#include "support/stage.h"

TEST(Startup, LogMilestonesAndNormalExit) {
    Stage stage;
    stage.write("s.txt", "2 quit\n");
    RunResult r = stage.run("--dt 1/60 --script s.txt --frames 10 --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string log = stage.log();
    size_t at = 0;
    for (const char* line : {"Load Game Settings", "Initialize GLUT", "Initialize GLEW",
                             "Initialize DEVIL", "Exiting"}) {
        size_t found = log.find(std::string(line) + "\n", at);
        ASSERT_NE(found, std::string::npos) << line << " missing or out of order in:\n" << log;
        at = found;
    }
    EXPECT_NE(r.output.find("Status: Using GLEW"), std::string::npos) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 2u);  // quit at frame 2 ends the run before that frame
    EXPECT_DOUBLE_EQ(trace[0]["gameTime"].number, 100.0);
    EXPECT_DOUBLE_EQ(trace[0]["timeDelta"].number, 100.0);
    EXPECT_NEAR(trace[1]["timeDelta"].number, 1.0 / 60, 1e-8);
    EXPECT_FALSE(trace[1]["paused"].boolean);
}

TEST(Startup, TwoRunsOfOneScriptGiveIdenticalTraces) {
    Stage stage;
    stage.write("s.txt", "0 down w\n5 press left\n9 down p\n12 down p\n20 quit\n");
    for (const char* trace : {"a.jsonl", "b.jsonl"}) {
        RunResult r = stage.run(std::string("--dt 0.01 --script s.txt --trace ") + trace);
        ASSERT_EQ(r.exitCode, 0) << r.output;
    }
    std::string a = ReadFile(stage.path() + "/a.jsonl");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, ReadFile(stage.path() + "/b.jsonl"));
}

TEST(Startup, PauseDoesNotCountAsStepTime) {
    Stage stage;
    // P at frame 3 pauses; P at frame 10 resumes; the step after measures from the second press.
    stage.write("s.txt", "3 down p\n10 down p\n");
    RunResult r = stage.run("--dt 0.02 --script s.txt --frames 12 --trace t.jsonl");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<Json> trace = ParseTrace(ReadFile(stage.path() + "/t.jsonl"));
    ASSERT_EQ(trace.size(), 12u);
    EXPECT_TRUE(trace[5]["paused"].boolean);
    EXPECT_FALSE(trace[10]["paused"].boolean);
    EXPECT_NEAR(trace[10]["timeDelta"].number, 0.02, 1e-9);
    EXPECT_NEAR(trace[10]["gameTime"].number, 100.2, 1e-9);  // still jumps by the pause
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
