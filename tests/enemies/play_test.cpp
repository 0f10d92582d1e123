// Scripted play against each kind of enemy on small test levels, through zorvan-run at 60 steps
// per second. The ball drops in at (0, 20, 0) and rests on the pedestal from about frame 70.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/play_stage.h"

namespace {

constexpr double kPi = 3.14159265358979;

// Enemy n's heading towards the ball, as the enemies measure headings (0 along +Z).
double HeadingToBall(const Json& frame, size_t n) {
    return std::atan2(AvatarItem(frame, "pos", 0) - EnemyItem(frame, n, "pos", 0),
                      AvatarItem(frame, "pos", 2) - EnemyItem(frame, n, "pos", 2));
}

double DistanceToBall(const Json& frame, size_t n) {
    auto d = [&](int i) { return AvatarItem(frame, "pos", i) - EnemyItem(frame, n, "pos", i); };
    return std::hypot(d(0), d(1), d(2));
}

// The turn from one heading to another, the short way: in (-pi, pi].
double Turn(double from, double to) {
    double d = std::remainder(to - from, 2 * kPi);
    return d <= -kPi ? d + 2 * kPi : d;
}

// A cannon 4 ahead of the pedestal, looking away. The ball fires the minigun at it from frame
// 120, then rolls over what it leaves.
TEST(EnemyPlay, TheCannonTurnsAtItsPaceFiresOnTargetAndFallsToFiveHits) {
    PlayStage stage(LevelWith({kLowGround}, {{0, 0.15f, 0, 4}}));
    auto trace = stage.trace("120 press left\n240 release left\n300 down w\n330 up w\n420 quit\n");
    ASSERT_EQ(trace.size(), 420u);

    size_t firstShot = 0, death = 0;
    for (size_t i = 1; i < trace.size() && !death; ++i) {
        const Json &before = trace[i - 1], &now = trace[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(now["enemies"].size(), 1u);
        // At most 3 rad/s on each axis.
        EXPECT_LE(std::fabs(Turn(EnemyNumber(before, 0, "yaw"), EnemyNumber(now, 0, "yaw"))),
                  0.05 + 1e-4);
        EXPECT_LE(std::fabs(EnemyNumber(now, 0, "pitch") - EnemyNumber(before, 0, "pitch")),
                  0.05 + 1e-4);
        if (!firstShot && i < 120 && now["counts"]["projectiles"].get<double>() > 0) firstShot = i;
        double lost = EnemyNumber(before, 0, "health") - EnemyNumber(now, 0, "health");
        EXPECT_TRUE(lost == 0 || lost == 10) << lost;
        if (EnemyNumber(now, 0, "state") == 3) death = i;
    }
    // It fires only once both axes are on the ball: the half turn alone takes a second.
    ASSERT_GT(firstShot, 60u);
    EXPECT_NEAR(EnemyNumber(trace[firstShot], 0, "yaw"), HeadingToBall(trace[firstShot], 0), 0.01);

    // Five hits, 10 each: then it dies in that very step and leaves an item where it stood.
    ASSERT_GT(death, 120u);
    const Json& dying = trace[death];
    EXPECT_EQ(EnemyNumber(dying, 0, "health"), 0);
    EXPECT_GE(100 - AvatarItem(dying, "ammo", 0), 5);
    EXPECT_FALSE(dying["enemies"][0]["hasTrigger"].get<bool>());
    ASSERT_EQ(dying["items"].size(), 1u);
    EXPECT_NEAR(dying["items"][0]["pos"][2].get<double>(), 4, 0.2);
    EXPECT_TRUE(trace[death + 1]["enemies"].empty());
    EXPECT_EQ(Count(stage.output(), "canon unloaded\n"), 1u);
    EXPECT_LT(AvatarNumber(dying, "health"), 100);  // its shots hit the ball

    // Rolling over the item takes it, whichever kind it is.
    const Json& last = trace.back();
    const std::string kind = dying["items"][0]["kind"].get<std::string>();
    EXPECT_TRUE(last["items"].empty()) << kind;
    if (kind == "health")
        EXPECT_EQ(AvatarNumber(last, "health"),
                  std::min(AvatarNumber(dying, "health") + 20, 100.0));
    else if (kind == "ammo")
        EXPECT_EQ(AvatarItem(last, "ammo", 0),
                  std::min(AvatarItem(trace[299], "ammo", 0) + 30, 100.0));
    else
        EXPECT_EQ(AvatarNumber(last, "respawnItems"), AvatarNumber(dying, "respawnItems") + 1);
}

// One bomb ahead in plain view; one at the ball's back behind a wall, turned aside.
TEST(EnemyPlay, ABombFacesTheBallAndRollsAtItWhileOneThatCannotSeeItWaits) {
    PlayStage stage(LevelWith({kFlushGround, {"level_wall_8x6", 0, 0.3f, -2.5f}},
                              {{1, 0, 0.6f, 5}, {1, 0, 0.6f, -5, 1.0f}}));
    auto trace = stage.trace("90 quit\n");
    ASSERT_EQ(trace.size(), 90u);
    size_t turned = 0;
    for (size_t i = 40; i < trace.size(); ++i) {
        const Json& now = trace[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(now["enemies"].size(), 2u);
        // The ball is inside both triggers; the hidden bomb neither turns nor rolls.
        EXPECT_EQ(EnemyNumber(now, 1, "state"), 2);
        EXPECT_EQ(EnemyNumber(now, 1, "yaw"), EnemyNumber(trace[0], 1, "yaw"));
        EXPECT_LT(std::hypot(EnemyItem(now, 1, "vel", 0), EnemyItem(now, 1, "vel", 2)), 0.5);
        if (!turned && EnemyNumber(now, 0, "yaw") != 0) turned = i;
    }
    // The other faces the ball at once and within a few steps rolls at it along -Z, no faster
    // than a wheel of radius 0.3 at the spin limit of 7 rad/s.
    ASSERT_GT(turned, 0u);
    EXPECT_NEAR(std::fabs(EnemyNumber(trace[turned + 1], 0, "yaw")), kPi, 0.1);
    EXPECT_LT(EnemyItem(trace[turned + 10], 0, "vel", 2), -1.0);
    EXPECT_GT(EnemyItem(trace[turned + 10], 0, "vel", 2), -2.2);
}

// A fly 6 ahead, level with the pedestal's top, facing the ball.
TEST(EnemyPlay, TheFlyDropsItsTriggerAndHuntsTheBallAtItsDistance) {
    PlayStage stage(LevelWith({kLowGround}, {{2, 0, 1, 6, static_cast<float>(kPi)}}));
    auto trace = stage.trace("600 quit\n");
    ASSERT_EQ(trace.size(), 600u);
    size_t seen = 0;
    for (size_t i = 1; i < trace.size() && !seen; ++i)
        if (!trace[i]["enemies"][0]["hasTrigger"].get<bool>()) seen = i;
    ASSERT_GT(seen, 0u);
    EXPECT_EQ(EnemyNumber(trace[seen], 0, "state"), 2);
    EXPECT_EQ(EnemyNumber(trace[seen - 1], 0, "state"), 1);  // alerted by the trigger first
    // From 6 away it closes in, then circles between 1 and 3 from the ball's surface.
    double circled = 0;
    for (size_t i = 300; i < trace.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(DistanceToBall(trace[i], 0), 1.0 + 0.2);
        EXPECT_LT(DistanceToBall(trace[i], 0), 3.0 + 0.2 + 0.5);
        circled += std::fabs(Turn(HeadingToBall(trace[i - 1], 0), HeadingToBall(trace[i], 0)));
    }
    EXPECT_GT(circled, 1.0);
    // Its minigun fires once a second at most (hits come closer only by the bullets' flight
    // times), and hits.
    for (size_t i = 45; i < trace.size(); ++i)
        EXPECT_LE(AvatarNumber(trace[i - 45], "health") - AvatarNumber(trace[i], "health"), 10);
    EXPECT_LE(AvatarNumber(trace.back(), "health"), 100 - 30);
}

// A jumping block 6.7 away, turned 1 rad off the ball, on the pedestal's level.
TEST(EnemyPlay, TheJumpingBlockLeapsOnceASecondFromTheMomentItFacesTheBall) {
    PlayStage stage(LevelWith({kLowGround}, {{3, 3, 0.4f, 6, 1.0f}}));
    auto trace = stage.trace("420 quit\n");
    ASSERT_EQ(trace.size(), 420u);
    size_t facing = 0;
    std::vector<size_t> leaps;
    for (size_t i = 1; i < trace.size(); ++i) {
        const Json &before = trace[i - 1], &now = trace[i];
        if (now["enemies"].empty()) break;
        SCOPED_TRACE(i);
        EXPECT_LE(std::fabs(Turn(EnemyNumber(before, 0, "yaw"), EnemyNumber(now, 0, "yaw"))),
                  2.0 / 60 + 1e-4);  // 2 rad/s
        if (!facing && EnemyNumber(now, 0, "state") == 2 &&
            std::fabs(Turn(EnemyNumber(now, 0, "yaw"), HeadingToBall(now, 0))) < 0.005)
            facing = i;
        if (EnemyItem(now, 0, "vel", 1) > 5 && EnemyItem(before, 0, "vel", 1) < 5)
            leaps.push_back(i);
    }
    ASSERT_GT(facing, 60u);  // it had most of a half turn to make
    ASSERT_GE(leaps.size(), 3u);
    EXPECT_LE(leaps[0] - facing, 1u);  // the leap shows in the step after the turn's last
    for (size_t k = 1; k < leaps.size(); ++k) {
        EXPECT_GE(leaps[k] - leaps[k - 1], 60u);
        EXPECT_LE(leaps[k] - leaps[k - 1], 62u);
    }
}

// The enemy of a kind nearest to (x, z) in one frame, or null when there is none within 8.
const Json* EnemyNear(const Json& frame, int kind, double x, double z) {
    const Json* nearest = nullptr;
    double best = 8;
    for (const Json& e : frame["enemies"]) {
        double d = std::hypot(e["pos"][size_t{0}].get<double>() - x, e["pos"][2].get<double>() - z);
        if (e["kind"].get<double>() == kind && d < best) {
            best = d;
            nearest = &e;
        }
    }
    return nearest;
}

TEST(EnemyPlay, TheEnemiesDemoMeetsEachKind) {
    std::string demo = ReadFile(ZORVAN_ENEMIES_DEMO);
    ASSERT_FALSE(demo.empty());
    PlayStage stage;
    auto trace = stage.trace(ForTheSmallWindow(demo));
    ASSERT_EQ(trace.size(), 1740u);
    // The shipped level: its models, the box, the enemies, the rings and the doors, each placed by
    // its entry.
    EXPECT_EQ(trace[0]["counts"]["objects"].get<double>(), 82);
    const size_t all = trace[0]["enemies"].size();
    EXPECT_EQ(all, 8u);
    const Json &rings = trace[0]["rings"], &doors = trace[0]["doors"];
    ASSERT_EQ(rings.size(), 10u);
    EXPECT_NEAR(rings[0]["pos"][1].get<double>(), 1.45, 1e-5);
    EXPECT_NEAR(rings[0]["pos"][2].get<double>(), 4, 1e-5);
    for (const Json& ring : rings) EXPECT_FALSE(ring["collected"].get<bool>());
    ASSERT_EQ(doors.size(), 2u);
    EXPECT_NEAR(doors[0]["pos"][2].get<double>(), -12, 1e-5);
    EXPECT_EQ(doors[0]["baseY"].get<double>(), 0);
    EXPECT_EQ(doors[1]["state"].get<std::string>(), "closed");
    EXPECT_TRUE(doors[1]["hasTrigger"].get<bool>());

    // The arena's east cannon fires at the ball and falls to the minigun, leaving an item that
    // the ball then takes.
    const Json* cannon = EnemyNear(trace[597], 0, -20, 40);
    ASSERT_NE(cannon, nullptr);
    EXPECT_EQ((*cannon)["state"].get<double>(), 2);
    EXPECT_LT(AvatarNumber(trace[612], "health"), 100);
    EXPECT_EQ(EnemyNear(trace[612], 0, -20, 40), nullptr);
    EXPECT_EQ(trace[612]["items"].size(), 1u);
    EXPECT_TRUE(trace[900]["items"].empty());

    // The fly over the arena drops its trigger, hunts the ball, hits it, and is shot down.
    const Json* fly = EnemyNear(trace[1030], 2, 0, 55);
    ASSERT_NE(fly, nullptr);
    EXPECT_EQ((*fly)["state"].get<double>(), 2);
    EXPECT_FALSE((*fly)["hasTrigger"].get<bool>());
    EXPECT_LT((*fly)["vel"][1].get<double>(), -0.5);  // coming down at the ball
    EXPECT_LT(AvatarNumber(trace[1030], "health"), AvatarNumber(trace[979], "health"));
    EXPECT_EQ(EnemyNear(trace[1085], 2, 0, 55), nullptr);

    // The bomb at the lookout's stair rolls at the ball (its drum's spin limit holds it to about
    // 1.5 a second) and blows up; the jumping block by the far pillars leaps at it.
    bool rolled = false, leapt = false;
    for (size_t i = 1340; i < 1450; ++i)
        if (const Json* bomb = EnemyNear(trace[i], 1, 20, 50))
            rolled = rolled || ((*bomb)["state"].get<double>() == 2 &&
                                (*bomb)["vel"][size_t{0}].get<double>() < -1.0);
    EXPECT_TRUE(rolled);
    EXPECT_EQ(EnemyNear(trace[1450], 1, 20, 50), nullptr);
    for (size_t i = 1640; i < 1700; ++i)
        if (const Json* block = EnemyNear(trace[i], 3, -10, 62))
            leapt = leapt ||
                    ((*block)["vel"][1].get<double>() > 5 && (*block)["vel"][2].get<double>() < -5);
    EXPECT_TRUE(leapt);

    EXPECT_EQ(trace.back()["enemies"].size(), all - 3);
    // The cannon that fell says so, and the other one at the exit.
    EXPECT_EQ(Count(stage.output(), "canon unloaded\n"), 2u);
    EXPECT_EQ(AvatarNumber(trace.back(), "lives"), 5);

    // Heard as seen: each kind noticed the ball, the block leapt, the ball was hurt, and each item
    // it took was heard as it went.
    ExpectHeardAsSeen(trace, stage.sounds());
    for (const char* heard :
         {"cannon-notice", "fly-notice", "bomb-notice", "block-notice", "block-leap", "hurt"})
        EXPECT_FALSE(FramesOf(stage.sounds(), heard).empty()) << heard;
    int taken = 0;
    for (const SoundLine& s : stage.sounds()) {
        if (!s.event.ends_with("-pickup")) continue;
        ++taken;
        const auto f = static_cast<size_t>(s.frame);
        EXPECT_LT(trace[f]["items"].size(), trace[f - 1]["items"].size()) << s.frame;
    }
    EXPECT_GE(taken, 1);
}

}  // namespace
