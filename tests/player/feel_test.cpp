// The game feels the same at any frame rate: one script at 30, 60, 144 and 1000 steps per second
// gives the same rolling speed after one second of W, the same minigun rate and bullet launch
// speed and the same rise of a door.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/play_stage.h"

namespace {

struct Feel {
    double speed = 0;        // horizontal speed after one second of W on flat ground
    double shots = 0;        // bullets fired in one second of the button held
    double launchSpeed = 0;  // the fastest bullet of the run
    double doorRise = 0;     // seconds from E until the door is open
    double doorTop = 0;      // the open door's height
};

// The ball drops through three rings lying flat above the pedestal and comes to rest in the
// trigger of a door beside it, whose passage runs across the ball's way.
std::string FeelLevel() {
    std::vector<Placement> rings;
    for (float y : {19.4f, 19.0f, 18.6f}) rings.push_back({0, y, 0, kLyingFlat});
    return WithRingsAndDoors(LevelWith({kFlushGround}), rings, {{0.6f, 0.3f, 0, kFacingX}});
}

// Holds the minigun's button from 1 s to 2 s, presses E at 1.8 s and holds W for the run's last
// second. Frame k of a run steps the game to 100 s + k steps.
Feel PlayAt(PlayStage& stage, int stepsPerSecond) {
    auto frame = [stepsPerSecond](double seconds, int later = 0) {
        return std::lround(seconds * stepsPerSecond) + later;
    };
    auto at = [&frame](double seconds, const char* action, int later = 0) {
        return std::to_string(frame(seconds, later)) + ' ' + action + '\n';
    };
    std::string script = at(1.0, "press left") + at(1.8, "down e") + at(2.0, "release left") +
                         at(2.0, "down w") + at(3.0, "quit");
    auto trace = stage.trace(script, "1/" + std::to_string(stepsPerSecond));
    Feel feel;
    EXPECT_EQ(trace.size(), static_cast<size_t>(3 * stepsPerSecond));
    if (trace.size() != static_cast<size_t>(3 * stepsPerSecond)) return feel;
    const Json& last = trace.back();
    EXPECT_NEAR(last["gameTime"].get<double>(), 103.0 - 1.0 / stepsPerSecond, 1e-6);
    feel.speed = std::hypot(AvatarItem(last, "vel", 0), AvatarItem(last, "vel", 2));
    feel.shots = 100 - AvatarItem(last, "ammo", 0);
    const Json& pressed = trace[frame(1.8)];
    EXPECT_EQ(pressed["doors"][0]["state"].get<std::string>(), "opening");
    for (const Json& f : trace)
        if (feel.doorRise == 0 && f["doors"][0]["state"].get<std::string>() == "open") {
            feel.doorRise = f["gameTime"].get<double>() - pressed["gameTime"].get<double>();
            feel.doorTop = f["doors"][0]["pos"][1].get<double>();
        }
    for (const Json& f : trace)
        for (const Json& shot : f["projectileList"]) {
            const Json& v = shot["vel"];
            double x = v[size_t{0}].get<double>(), y = v[1].get<double>(), z = v[2].get<double>();
            feel.launchSpeed = std::max(feel.launchSpeed, std::sqrt(x * x + y * y + z * z));
        }
    return feel;
}

TEST(Feel, SpeedFireRateLaunchSpeedAndDoorRiseHoldAtEveryFrameRate) {
    PlayStage stage(FeelLevel());
    const Feel reference = PlayAt(stage, 60);
    ASSERT_GT(reference.speed, 10);
    ASSERT_GT(reference.launchSpeed, 20);
    for (int rate : {30, 60, 144, 1000}) {
        Feel feel = rate == 60 ? reference : PlayAt(stage, rate);
        SCOPED_TRACE(rate);
        EXPECT_NEAR(feel.speed / reference.speed, 1.0, 0.05);
        EXPECT_GE(feel.shots, 4);  // at most five a second, at steps that do not divide it too
        EXPECT_LE(feel.shots, 5);
        EXPECT_NEAR(feel.launchSpeed / reference.launchSpeed, 1.0, 0.05);
        // The door rises one unit at one unit per second, and overshoots by at most a step.
        double step = 1.0 / rate;
        EXPECT_GE(feel.doorRise, 1.0 - 1e-6);
        EXPECT_LE(feel.doorRise, 1.0 + step + 1e-6);
        EXPECT_GE(feel.doorTop, 1.3 - 1e-5);
        EXPECT_LE(feel.doorTop, 1.3 + step + 1e-5);
    }
}

}  // namespace
