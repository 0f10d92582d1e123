// Rings and doors in scripted play at 60 steps per second, on test levels whose ground lies at
// height 5: the ball drops in at (0, 20, 0), rests at (0, 5.2, 0) by frame 100 and looks along +Z.
// Rings stand on its way with their centres at the ball's height; a closed door stops it.
#include <gtest/gtest.h>

#include <string>

#include "support/play_stage.h"

namespace {

const LevelPiece kHighGround = {"level_ground_66x200", 0, 5, 0};

const Json& Ring(const Json& frame, size_t i) {
    return frame["rings"][i];
}
const Json& Door(const Json& frame, size_t i) {
    return frame["doors"][i];
}
bool Prompt(const Json& frame) {
    return frame["avatar"]["interaction"].get<bool>();
}

// The ball first turns round and fires the minigun through ring 3 behind it, then rolls through
// rings 1 and 2 to the door, goes back through all three and returns to open the door.
TEST(RingsAndDoors, ThreeRingsOpenTheDoorFromInsideItsTrigger) {
    PlayStage stage(WithRingsAndDoors(LevelWith({kHighGround}),
                                      {{0, 5.2f, 1.5f}, {0, 5.2f, 2.5f}, {-0.15f, 5.2f, -1.5f}},
                                      {{0, 5, 5}}));
    auto trace = stage.trace(
        "100 move -234 60\n105 press left\n135 release left\n140 move 394 60\n"
        "150 down w\n190 down e\n191 up e\n200 up w\n200 down s\n245 up s\n"
        "270 down e\n271 up e\n280 down w\n360 down e\n361 up e\n480 quit\n");
    ASSERT_EQ(trace.size(), 480u);
    EXPECT_GT(trace[100]["counts"]["particles"].get<double>(), 100);  // three rings sparkle

    // Bullets through both halves of ring 3 change nothing.
    bool passed = false;
    for (size_t i = 0; i < 150; ++i) {
        const Json& r3 = Ring(trace[i], 2);
        ASSERT_FALSE(r3["upperOccupied"].get<bool>() || r3["lowerOccupied"].get<bool>()) << i;
        ASSERT_EQ(AvatarNumber(trace[i], "rings"), 0) << i;
        for (const Json& shot : trace[i]["projectileList"])
            passed = passed || shot["pos"][2].get<double>() < -2.0;
    }
    EXPECT_TRUE(passed);

    // Ring 1 counts in the step the ball is inside both halves; the first line says 1.
    size_t first = 150;
    while (first < 190 && AvatarNumber(trace[first], "rings") == 0) ++first;
    ASSERT_LT(first, 190u);
    EXPECT_TRUE(Ring(trace[first], 0)["collected"].get<bool>());
    EXPECT_TRUE(Ring(trace[first], 0)["upperOccupied"].get<bool>());
    EXPECT_TRUE(Ring(trace[first], 0)["lowerOccupied"].get<bool>());
    const std::string& console = stage.output();
    EXPECT_EQ(console.find(" rings collected\n"), console.find("\n1 rings collected\n") + 2);

    // With two rings E does nothing and the prompt stays.
    EXPECT_TRUE(Prompt(trace[189]));
    for (size_t i = 190; i < 200; ++i) {
        EXPECT_EQ(AvatarNumber(trace[i], "rings"), 2);
        EXPECT_TRUE(Prompt(trace[i]));
        EXPECT_EQ(Door(trace[i], 0)["state"].get<std::string>(), "closed");
    }

    // Back through rings 2 and 1, whose halves still fill and empty, and ring 3.
    bool heard = false;
    for (size_t i = 200; i < 270; ++i) {
        heard = heard || Ring(trace[i], 0)["upperOccupied"].get<bool>();
        EXPECT_LE(AvatarNumber(trace[i], "rings"), 3);
    }
    EXPECT_TRUE(heard);
    EXPECT_EQ(Count(stage.output(), " rings collected\n"), 3u);

    // Outside the trigger E does nothing, even with three rings.
    EXPECT_FALSE(Prompt(trace[269]));
    EXPECT_EQ(AvatarNumber(trace[275], "rings"), 3);
    EXPECT_EQ(Door(trace[275], 0)["state"].get<std::string>(), "closed");

    // Inside it, E spends the three rings, the prompt goes and the door rises.
    EXPECT_TRUE(Prompt(trace[359]));
    const Json& opened = trace[360];
    EXPECT_EQ(AvatarNumber(opened, "rings"), 0);
    EXPECT_FALSE(Prompt(opened));
    EXPECT_EQ(Door(opened, 0)["state"].get<std::string>(), "opening");
    EXPECT_FALSE(Door(opened, 0)["hasTrigger"].get<bool>());
    EXPECT_EQ(opened["counts"]["animations"].get<double>(), 1);
    EXPECT_EQ(Door(opened, 0)["baseY"].get<double>(), 5);

    // Placed at 5, it rises to 6 or a step's rise beyond; the next step's animation pass drops it.
    size_t open = 361;
    while (open < trace.size() && Door(trace[open], 0)["state"].get<std::string>() != "open") {
        EXPECT_GT(Door(trace[open], 0)["pos"][1].get<double>(),
                  Door(trace[open - 1], 0)["pos"][1].get<double>());
        ++open;
    }
    ASSERT_LT(open, trace.size());
    double top = Door(trace[open], 0)["pos"][1].get<double>();
    EXPECT_GE(top, 6.0);
    EXPECT_LE(top, 6.0 + 1.0 / 60 + 1e-5);
    for (size_t i = open; i < trace.size(); ++i) {
        EXPECT_EQ(trace[i]["counts"]["animations"].get<double>(), i == open ? 1 : 0);
        EXPECT_EQ(Door(trace[i], 0)["pos"][1].get<double>(), top);
        EXPECT_FALSE(Prompt(trace[i]));
    }

    // The ball rolls through; the collected rings have stopped sparkling.
    EXPECT_GT(AvatarItem(trace.back(), "pos", 2), 6.5);
    EXPECT_EQ(trace.back()["counts"]["particles"].get<double>(), 0);
}

// Two doors side by side whose triggers overlap where the ball stops against both frames: it
// enters both, and the prompt belongs to one of them. Opening that one passes the prompt to the
// other, which the ball is still inside, so that E opens it too.
TEST(RingsAndDoors, OpeningOneOfTwoOverlappingDoorsLeavesThePromptForTheOther) {
    std::vector<Placement> rings;
    for (float z : {0.6f, 1.0f, 1.4f, 1.8f, 2.2f, 2.6f}) rings.push_back({0, 5.2f, z});
    PlayStage stage(
        WithRingsAndDoors(LevelWith({kHighGround}), rings, {{-0.7f, 5, 4}, {0.7f, 5, 4}}));
    auto trace = stage.trace("120 down w\n170 down e\n171 up e\n180 down e\n181 up e\n260 quit\n");
    ASSERT_EQ(trace.size(), 260u);
    EXPECT_EQ(AvatarNumber(trace[169], "rings"), 6);
    ASSERT_TRUE(Prompt(trace[169]));

    const Json& one = trace[170];
    EXPECT_EQ(AvatarNumber(one, "rings"), 3);
    EXPECT_TRUE(Prompt(one));
    EXPECT_NE(Door(one, 0)["state"].get<std::string>(), Door(one, 1)["state"].get<std::string>());

    const Json& both = trace[180];
    EXPECT_EQ(AvatarNumber(both, "rings"), 0);
    EXPECT_FALSE(Prompt(both));
    EXPECT_EQ(both["counts"]["animations"].get<double>(), 2);
    for (size_t d : {0u, 1u}) EXPECT_EQ(Door(trace.back(), d)["state"].get<std::string>(), "open");
}

// The ball reaches the door with three rings and backs out. E in the step whose physics reports
// the leave still finds the prompt of the step before and opens the door; the trigger released
// by it reports nothing afterwards. One step later E does nothing.
TEST(RingsAndDoors, EAgainstTheLeaveOfTheTrigger) {
    PlayStage stage(WithRingsAndDoors(LevelWith({kHighGround}),
                                      {{0, 5.2f, 1.5f}, {0, 5.2f, 2.0f}, {0, 5.2f, 2.5f}},
                                      {{0, 5, 5}}));
    const std::string drive = "120 down w\n170 up w\n170 down s\n230 quit\n";
    auto plain = stage.trace(drive);
    ASSERT_EQ(plain.size(), 230u);
    size_t leave = 170;
    while (leave < plain.size() && Prompt(plain[leave])) ++leave;
    ASSERT_LT(leave, plain.size());
    ASSERT_TRUE(Prompt(plain[leave - 1]));
    EXPECT_EQ(AvatarNumber(plain[leave], "rings"), 3);

    auto atLeave = stage.trace(std::to_string(leave) + " down e\n" + drive);
    ASSERT_EQ(atLeave.size(), 230u);
    EXPECT_EQ(AvatarNumber(atLeave[leave], "rings"), 0);
    EXPECT_EQ(Door(atLeave[leave], 0)["state"].get<std::string>(), "opening");
    for (size_t i = leave; i < atLeave.size(); ++i) EXPECT_FALSE(Prompt(atLeave[i])) << i;

    auto late = stage.trace(std::to_string(leave + 1) + " down e\n" + drive);
    ASSERT_EQ(late.size(), 230u);
    EXPECT_EQ(AvatarNumber(late.back(), "rings"), 3);
    EXPECT_EQ(Door(late.back(), 0)["state"].get<std::string>(), "closed");
}

}  // namespace
