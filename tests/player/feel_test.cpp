// The game feels the same at any frame rate: one script at 30, 60, 144 and 1000 steps per second
// gives the same rolling speed after one second of W and the same bullet launch speed. And one
// play script gives the same trace, byte for byte, every time it runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "play_stage.h"

namespace {

struct Feel {
    double speed = 0;        // horizontal speed after one second of W on flat ground
    double launchSpeed = 0;  // the fastest bullet of the run
};

// Fires one bullet at 1.5 s, while the ball rests, and holds W for the run's last second. Frame k
// of a run steps the game to 100 s + k steps.
Feel PlayAt(PlayStage& stage, int stepsPerSecond) {
    auto frame = [stepsPerSecond](double seconds, int later = 0) {
        return std::to_string(std::lround(seconds * stepsPerSecond) + later);
    };
    std::string script = frame(1.5) + " press left\n" + frame(1.5, 1) + " release left\n" +
                         frame(2.0) + " down w\n" + frame(3.0) + " quit\n";
    auto trace = stage.trace(script, "1/" + std::to_string(stepsPerSecond));
    EXPECT_EQ(trace.size(), static_cast<size_t>(3 * stepsPerSecond));
    Feel feel;
    if (trace.empty()) return feel;
    const Json& last = trace.back();
    EXPECT_NEAR(last["gameTime"].number, 103.0 - 1.0 / stepsPerSecond, 1e-6);
    feel.speed = std::hypot(AvatarItem(last, "vel", 0), AvatarItem(last, "vel", 2));
    for (const Json& f : trace)
        for (const Json& shot : f["projectileList"].items) {
            const Json& v = shot["vel"];
            double x = v[size_t{0}].number, y = v[1].number, z = v[2].number;
            feel.launchSpeed = std::max(feel.launchSpeed, std::sqrt(x * x + y * y + z * z));
        }
    return feel;
}

TEST(Feel, SpeedAndLaunchSpeedHoldAtEveryFrameRate) {
    PlayStage stage(LevelWith({kFlushGround}));
    const Feel reference = PlayAt(stage, 60);
    ASSERT_GT(reference.speed, 10);
    ASSERT_GT(reference.launchSpeed, 20);
    std::printf("steps/s  speed after 1 s of W  bullet launch speed\n");
    for (int rate : {30, 60, 144, 1000}) {
        Feel feel = rate == 60 ? reference : PlayAt(stage, rate);
        std::printf("%7d  %21.3f  %19.3f\n", rate, feel.speed, feel.launchSpeed);
        SCOPED_TRACE(rate);
        EXPECT_NEAR(feel.speed / reference.speed, 1.0, 0.05);
        EXPECT_NEAR(feel.launchSpeed / reference.launchSpeed, 1.0, 0.05);
    }
}

TEST(Feel, TwoRunsOfAPlayScriptGiveIdenticalTraces) {
    PlayStage stage;  // the game's own level
    const std::string script =
        "125 down w\n140 move 100 60\n150 down space\n170 up space\n"
        "180 press left\n181 press right\n220 release left\n221 release right\n"
        "230 down a\n240 down q\n260 up a\n270 up w\n280 quit\n";
    std::string first = stage.play(script, "1/60");
    EXPECT_EQ(stage.play(script, "1/60"), first);

    // The script does shoot and jump.
    bool shot = false, jumped = false;
    for (const Json& frame : ParseTrace(first)) {
        shot = shot || frame["counts"]["projectiles"].number > 0;
        jumped = jumped || AvatarNumber(frame, "jumpTime") > 0;
    }
    EXPECT_TRUE(shot);
    EXPECT_TRUE(jumped);
}

}  // namespace
