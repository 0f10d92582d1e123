// Runner scripts: every action parses and is written back as it was, and a bad line is named.
#include "run/script.h"

#include <gtest/gtest.h>

#include <cmath>

// Every action parses and is written back as a recording writes it, which reads back the same.
TEST(Script, ParsesEveryActionAndWritesItBack) {
    std::vector<ScriptStep> steps;
    std::string error;
    ASSERT_TRUE(
        ParseScript("# demo\n"
                    "0 down w\n"
                    "3 up W   # trailing comment\r\n"
                    "\n"
                    "4 down space\n5 down esc\n"
                    "6 fkey 12\n7 press left\n8 release right\n"
                    "9 move 10 -20\n10 shot out.png\n11 quit\n"
                    "12 dt 1/60\n13 dt 0.016393442\n14 down x23\n15 up x09\n16 close\n",
                    steps, error))
        << error;
    // As a recording writes them; "#" is written as x23, since it would start a comment.
    const std::vector<std::string> written = {
        "0 down w",        "3 up W",       "4 down space",      "5 down esc",
        "6 fkey 12",       "7 press left", "8 release right",   "9 move 10 -20",
        "10 shot out.png", "11 quit",      "12 dt 0.016666667", "13 dt 0.016393442",
        "14 down x23",     "15 up x09",    "16 close"};
    ASSERT_EQ(steps.size(), written.size());
    EXPECT_EQ(steps[1].line, 3);
    EXPECT_EQ(steps[3].key, 27);
    EXPECT_EQ(steps[5].number, 0);  // GLUT's buttons
    EXPECT_EQ(steps[6].number, 2);
    EXPECT_DOUBLE_EQ(steps[10].seconds, 1.0 / 60);
    for (size_t i = 0; i < steps.size(); ++i) {
        std::vector<ScriptStep> again;
        EXPECT_EQ(FormatStep(steps[i]), written[i]);
        ASSERT_TRUE(ParseScript(written[i], again, error)) << error;
        ASSERT_EQ(again.size(), 1u) << written[i];
        EXPECT_EQ(again[0].key, steps[i].key) << written[i];
        // A step time goes through the clock in nanoseconds: it comes back to the nanosecond.
        EXPECT_EQ(std::llround(again[0].seconds * 1e9), std::llround(steps[i].seconds * 1e9));
    }
    // Every key code reads back, also those a keyboard sends with CTRL held.
    for (int key = 0; key < 256; ++key) {
        ScriptStep step;
        step.action = ScriptAction::KeyDown;
        step.key = static_cast<unsigned char>(key);
        std::vector<ScriptStep> again;
        ASSERT_TRUE(ParseScript(FormatStep(step), again, error)) << key;
        EXPECT_EQ(again.at(0).key, key);
    }
}

TEST(Script, RejectsMalformedLinesByNumber) {
    for (const char* bad :
         {"1 jump",     "x down w",  "-1 down w",        "1 down",     "1 down ww",
          "1 fkey 13",  "1 fkey 0",  "1 press middle",   "1 move 1",   "1 move a b",
          "1 quit now", "2",         "99999999999 quit", "1 dt 0",     "1 dt -1",
          "1 dt 1/0",   "1 dt fast", "1 down x1",        "1 down x1g", "1 close 1"}) {
        std::vector<ScriptStep> steps;
        std::string error;
        EXPECT_FALSE(ParseScript(std::string("0 down w\n") + bad + "\n", steps, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}
