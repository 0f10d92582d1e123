// Runner scripts: every action parses, and a bad line is named.
#include "run/script.h"

#include <gtest/gtest.h>

TEST(Script, ParsesEveryAction) {
    std::vector<ScriptStep> steps;
    std::string error;
    ASSERT_TRUE(
        ParseScript("# demo\n"
                    "0 down w\n"
                    "3 up W   # trailing comment\r\n"
                    "\n"
                    "4 down space\n5 down esc\n"
                    "6 fkey 12\n7 press left\n8 release right\n"
                    "9 move 10 -20\n10 shot out.png\n11 quit\n",
                    steps, error))
        << error;
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[0].action, ScriptAction::KeyDown);
    EXPECT_EQ(steps[0].key, 'w');
    EXPECT_EQ(steps[1].frame, 3);
    EXPECT_EQ(steps[1].key, 'W');
    EXPECT_EQ(steps[1].line, 3);
    EXPECT_EQ(steps[2].key, ' ');
    EXPECT_EQ(steps[3].key, 27);
    EXPECT_EQ(steps[4].number, 12);
    EXPECT_EQ(steps[5].action, ScriptAction::Press);
    EXPECT_EQ(steps[5].number, 0);
    EXPECT_EQ(steps[6].number, 2);
    EXPECT_EQ(steps[7].x, 10);
    EXPECT_EQ(steps[7].y, -20);
    EXPECT_EQ(steps[8].file, "out.png");
    EXPECT_EQ(steps[9].action, ScriptAction::Quit);
}

TEST(Script, RejectsMalformedLinesByNumber) {
    for (const char* bad :
         {"1 jump", "x down w", "-1 down w", "1 down", "1 down ww", "1 fkey 13", "1 fkey 0",
          "1 press middle", "1 move 1", "1 move a b", "1 quit now", "2", "99999999999 quit"}) {
        std::vector<ScriptStep> steps;
        std::string error;
        EXPECT_FALSE(ParseScript(std::string("0 down w\n") + bad + "\n", steps, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}
