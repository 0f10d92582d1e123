// Game paths resolve as on Windows: backslashes, case-insensitive names, CRLF in text mode.
#include "platform/game_path.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

TEST(GamePath, MapsSeparatorsAndMatchesCase) {
    TempDir dir;
    dir.write("models/Avatar_Ball.ms3d", "x");
    EXPECT_EQ(GamePath((dir.path() + "\\MODELS\\avatar_ball.MS3D").c_str()),
              dir.path() + "/models/Avatar_Ball.ms3d");
    // An exact name wins over case matches, and a missing file keeps the mapped name.
    dir.write("models/box.ms3d", "a");
    dir.write("models/BOX.ms3d", "b");
    EXPECT_EQ(GamePath((dir.path() + "\\models\\BOX.ms3d").c_str()),
              dir.path() + "/models/BOX.ms3d");
    EXPECT_EQ(GamePath((dir.path() + "\\nope\\x.ms3d").c_str()), dir.path() + "/nope/x.ms3d");
    EXPECT_EQ(GamePath(""), "");
}

TEST(GamePath, TextModeReadsCrLfAsLf) {
    TempDir dir;
    std::string file = dir.write("s.vs", "a\r\nb\rc\n\r\n");
    std::string text;
    ASSERT_TRUE(GameReadText(file.c_str(), text));
    EXPECT_EQ(text, "a\nb\rc\n\n");
    EXPECT_FALSE(GameReadText((dir.path() + "/missing").c_str(), text));
}
