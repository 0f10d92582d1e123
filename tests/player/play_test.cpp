// Scripted play through zorvan-run at 60 steps per second: the boost jump, the respawn point, the
// camera keys, the wall jump, lives lost in a fall until the game is lost and the demo, which plays
// the same every time, each also as heard in the sound log. The ball drops in at (0, 20, 0) and
// rests on the pedestal by frame 120.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "support/play_stage.h"
#include "support/temp_dir.h"

namespace {

constexpr double kPi = 3.14159265358979;

double Highest(const std::vector<Json>& trace, size_t from, size_t to) {
    double highest = -1e9;
    for (size_t i = from; i < to && i < trace.size(); ++i)
        highest = std::max(highest, AvatarItem(trace[i], "pos", 1));
    return highest;
}

// One play on flat ground with a wall across the way 2.75 ahead of the pedestal, Q held all along:
// R sets the respawn point, a tap of space and then a hold, C three times, W into the wall, R
// again.
TEST(Play, JumpsRespawnPointCameraAndWallKick) {
    PlayStage stage(LevelWith({kFlushGround, {"level_wall_8x6", 0, 0.3f, 3}}));
    auto trace = stage.trace(
        "0 down q\n125 down R\n130 down space\n136 up space\n300 down space\n360 up space\n"
        "470 down C\n471 down c\n472 down c\n480 down w\n530 down r\n600 quit\n");
    ASSERT_EQ(trace.size(), 600u);
    // The one respawn item puts the point 0.3 above the ball; the second R finds none.
    EXPECT_EQ(AvatarNumber(trace[124], "respawnItems"), 1);
    EXPECT_NEAR(AvatarItem(trace[125], "respawnPoint", 1), 0.8, 1e-3);
    EXPECT_EQ(AvatarNumber(trace[125], "respawnItems"), 0);
    EXPECT_GT(std::fabs(AvatarItem(trace[530], "pos", 2)), 1.0);  // away from the point
    EXPECT_EQ(AvatarItem(trace[599], "respawnPoint", 2), AvatarItem(trace[125], "respawnPoint", 2));

    // Held space rises far higher than a tap, and the boost never lasts 0.3 s.
    EXPECT_NEAR(AvatarItem(trace[299], "pos", 1), 0.5, 0.01);
    double tap = Highest(trace, 130, 300) - 0.5, hold = Highest(trace, 300, 450) - 0.5;
    EXPECT_GT(tap, 0.1);
    EXPECT_LT(tap, 1.0);
    EXPECT_GT(hold, 3.5);  // enough for each 3-unit step of the training yard
    for (const Json& frame : trace) ASSERT_LT(AvatarNumber(frame, "jumpTime"), 0.3);
    EXPECT_EQ(FramesOf(stage.sounds(), "boost"), (std::vector<int>{130, 300}));

    // Following, the eye sits one unit behind the ball and half a unit above it; in the chase
    // view 5 above and 10 behind along -Z. C cycles follow, chase and free, in either case.
    auto eyeOffset = [&trace](size_t frame, int axis) {
        return trace[frame]["camera"]["eye"][static_cast<size_t>(axis)].get<double>() -
               AvatarItem(trace[frame], "pos", axis);
    };
    EXPECT_NEAR(eyeOffset(469, 1), 0.5, 1e-4);
    EXPECT_NEAR(eyeOffset(469, 2), -1.0, 1e-4);
    EXPECT_NEAR(eyeOffset(470, 1), 5.0, 1e-4);
    EXPECT_NEAR(eyeOffset(470, 2), -10.0, 1e-4);
    for (auto [frame, mode] : {std::pair{0, 0}, {470, 1}, {471, 2}, {472, 0}})
        EXPECT_EQ(trace[frame]["camera"]["mode"].get<double>(), mode) << frame;

    // Floor contacts never kick; the wall does, turning the ball round, so W drives it away.
    EXPECT_EQ(AvatarNumber(trace[479], "yaw"), 0);
    EXPECT_NEAR(AvatarNumber(trace[599], "yaw"), kPi, 1e-5);
    double rise = 0;
    for (size_t i = 480; i < 600; ++i) rise = std::max(rise, AvatarItem(trace[i], "vel", 1));
    EXPECT_GT(rise, 5.0);
    EXPECT_LT(AvatarItem(trace[599], "vel", 2), -5.0);

    // Heard: the ball rolls towards the wall, kicks off it once and falls silent in the air.
    std::vector<int> kick = FramesOf(stage.sounds(), "wall-jump");
    ASSERT_EQ(kick.size(), 1u);
    EXPECT_EQ(AvatarNumber(trace[kick[0] - 1], "yaw"), 0);
    EXPECT_NEAR(AvatarNumber(trace[kick[0]], "yaw"), kPi, 1e-5);
    std::vector<int> rolls = FramesOf(stage.sounds(), "roll"),
                     stops = FramesOf(stage.sounds(), "roll-stop");
    auto rolling = std::lower_bound(rolls.begin(), rolls.end(), 480);
    ASSERT_NE(rolling, rolls.end());
    EXPECT_LT(*rolling, kick[0]);
    auto silenced = std::lower_bound(stops.begin(), stops.end(), kick[0]);
    ASSERT_NE(silenced, stops.end());
    EXPECT_LE(*silenced, kick[0] + 5);
    EXPECT_GT(AvatarItem(trace[*silenced], "pos", 1), 0.3 + 0.2 * 1.2);  // off the floor
}

TEST(Play, FallsCostOneLifeEachUntilTheFifthEndsTheGame) {
    PlayStage stage(LevelWith({}));  // the pedestal alone: the ball rolls off it and falls
    auto trace = stage.trace(
        "100 down w\n100 press left\n100 press right\n112 release left\n112 release right\n"
        "600 down p\n601 up p\n620 quit\n");
    ASSERT_EQ(trace.size(), 620u);

    int losses = 0;
    size_t lost = 0;
    std::vector<int> respawns;
    for (size_t i = 1; i < 600 && !lost; ++i) {
        const Json &before = trace[i - 1], &now = trace[i];
        double lives = AvatarNumber(now, "lives");
        if (lives == AvatarNumber(before, "lives")) continue;
        ++losses;
        SCOPED_TRACE(testing::Message() << "loss " << losses << " at frame " << i);
        EXPECT_EQ(lives, AvatarNumber(before, "lives") - 1);
        EXPECT_GE(AvatarItem(before, "pos", 1), -10.0);  // one loss per fall below -10
        if (lives == 0) {
            lost = i;
            break;
        }
        respawns.push_back(static_cast<int>(i));
        // Back 0.3 above the respawn point, which moves up with the ball; health and ammunition
        // restored.
        EXPECT_EQ(AvatarItem(now, "pos", 0), AvatarItem(before, "respawnPoint", 0));
        EXPECT_NEAR(AvatarItem(now, "pos", 1), AvatarItem(before, "respawnPoint", 1) + 0.3, 1e-4);
        EXPECT_NEAR(AvatarItem(now, "respawnPoint", 1), AvatarItem(now, "pos", 1) + 0.3, 1e-4);
        EXPECT_EQ(AvatarNumber(now, "health"), 100);
        EXPECT_LT(AvatarItem(now, "vel", 1), -10.0);  // still falling as fast as before
        if (losses == 1) {
            EXPECT_LT(AvatarItem(before, "ammo", 0), 100);
            EXPECT_LT(AvatarItem(before, "ammo", 1), 10);
            EXPECT_EQ(AvatarItem(now, "ammo", 0), 100);
            EXPECT_EQ(AvatarItem(now, "ammo", 1), 10);
        }
    }
    ASSERT_EQ(losses, 5);
    EXPECT_FALSE(trace[lost]["avatar"]["alive"].get<bool>());
    EXPECT_TRUE(trace[lost]["paused"].get<bool>());
    EXPECT_TRUE(trace[599]["paused"].get<bool>());
    EXPECT_EQ(trace[599]["gameTime"].get<double>(), trace[lost]["gameTime"].get<double>());

    // P resumes for one step, which loses a life again and pauses again.
    EXPECT_TRUE(trace[600]["paused"].get<bool>());
    EXPECT_GT(trace[600]["gameTime"].get<double>(), trace[599]["gameTime"].get<double>());
    EXPECT_EQ(AvatarNumber(trace[600], "lives"), -1);
    EXPECT_EQ(trace[619]["gameTime"].get<double>(), trace[600]["gameTime"].get<double>());
    EXPECT_EQ(Count(stage.output(), "\nDEAD\n"), 2u) << stage.output();
    // Heard: each of the four lives lost and the ball back, then the game lost at each step.
    EXPECT_EQ(FramesOf(stage.sounds(), "life-lost"), respawns);
    EXPECT_EQ(FramesOf(stage.sounds(), "respawn"), respawns);
    EXPECT_EQ(FramesOf(stage.sounds(), "game-over"), (std::vector<int>{int(lost), 600}));
}

// The first frame from `from` on whose avatar has `rings` rings, or the trace's size.
size_t FirstWithRings(const std::vector<Json>& trace, size_t from, double rings) {
    while (from < trace.size() && AvatarNumber(trace[from], "rings") != rings) ++from;
    return from;
}

TEST(Play, TheDemoReachesEachOfItsMoments) {
    std::string demo = ReadFile(ZORVAN_DEMO);
    ASSERT_FALSE(demo.empty());
    PlayStage stage;
    const std::string played = stage.play(ForTheSmallWindow(demo));
    EXPECT_EQ(stage.play(ForTheSmallWindow(demo)), played);  // byte for byte, every time
    auto trace = ParseTrace(played);
    ASSERT_EQ(trace.size(), 1680u);
    auto pos = [&trace](size_t frame, int axis) { return AvatarItem(trace[frame], "pos", axis); };

    size_t ramp = FirstWithRings(trace, 0, 1);  // rolling up the ramp through its ring
    EXPECT_NEAR(pos(ramp, 2), 4.0, 0.3);
    EXPECT_GT(pos(ramp, 1), 1.2);
    // The platform's cannon fell to a rocket and a bullet before it could fire.
    EXPECT_EQ(trace[466]["enemies"].size(), trace[0]["enemies"].size() - 1);
    EXPECT_EQ(trace[466]["items"].size(), 1u);
    EXPECT_GT(AvatarNumber(trace[466], "health"), 50);
    size_t step = FirstWithRings(trace, ramp, 2);  // boosted onto the first floating step
    EXPECT_NEAR(pos(step, 1), 5.2, 0.05);
    EXPECT_GT(Highest(trace, 955, 1000), 4.5);      // kicked up the chimney, well above the ledge
    size_t ledge = FirstWithRings(trace, step, 3);  // onto the ledge and through its ring
    EXPECT_NEAR(pos(ledge, 1), 3.7, 0.05);
    EXPECT_GT(pos(ledge, 0), 20.0);
    ASSERT_LT(ledge, 1525u);

    // At the vault's door with three rings: E opens it, the ball rolls through to the vault ring.
    EXPECT_TRUE(trace[1525]["avatar"]["interaction"].get<bool>());
    EXPECT_LT(pos(1525, 2), -11.5);
    EXPECT_EQ(trace[1525]["doors"][0]["state"].get<std::string>(), "closed");
    EXPECT_EQ(AvatarNumber(trace[1530], "rings"), 0);
    EXPECT_EQ(trace[1530]["doors"][0]["state"].get<std::string>(), "opening");
    EXPECT_EQ(trace[1600]["doors"][0]["state"].get<std::string>(), "open");
    EXPECT_TRUE(trace.back()["rings"][8]["collected"].get<bool>());
    EXPECT_EQ(AvatarNumber(trace.back(), "rings"), 1);
    EXPECT_LT(pos(trace.size() - 1, 2), -28.0);

    // And it is heard as it is seen; the cannon noticed the ball before it fell, the ball
    // boosted and kicked off the chimney's walls, and the vault's fly noticed it at the end.
    ExpectHeardAsSeen(trace, stage.sounds());
    EXPECT_FALSE(FramesOf(stage.sounds(), "cannon-notice").empty());
    EXPECT_FALSE(FramesOf(stage.sounds(), "boost").empty());
    EXPECT_FALSE(FramesOf(stage.sounds(), "wall-jump").empty());
    EXPECT_GT(FramesOf(stage.sounds(), "fly-notice").at(0), 1525);
}

}  // namespace
