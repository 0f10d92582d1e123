// The platform as the game knew it on Windows: game paths with backslashes, case-insensitive
// names and CR LF in text mode; and the profile reader answering as the Windows function does (see
// the rules it keeps in profile.cpp).
#include <gtest/gtest.h>

#include <string>

#include "platform/game_path.h"
#include "platform/profile.h"
#include "support/temp_dir.h"

namespace {

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

class ProfileTest : public ::testing::Test {
protected:
    // Writes the INI text and reads one key with the default "DEF" into a 256-byte buffer.
    std::string Get(const std::string& ini, const char* section, const char* key, DWORD size = 256,
                    DWORD* returned = nullptr) {
        std::string file = dir.write("t" + std::to_string(serial++) + ".ini", ini);
        char buffer[1024];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        DWORD n = GetPrivateProfileStringA(section, key, "DEF", buffer, size, file.c_str());
        if (returned) *returned = n;
        return size == 0 ? std::string(buffer, 4) : std::string(buffer);
    }
    TempDir dir;
    int serial = 0;
};

// Sections, keys and values, comments, line ends and quotes, one line each.
TEST_F(ProfileTest, LinesOfEveryKind) {
    EXPECT_EQ(Get("[a]b]\nk=1\n", "a", "k"), "1");              // name runs to the first ]
    EXPECT_EQ(Get("[s3]x=3\n", "s3", "x"), "DEF");              // text after ] is ignored
    EXPECT_EQ(Get("[open\nk=2\n", "open", "k"), "2");           // no ] at all
    EXPECT_EQ(Get("[  spaced  ]\nk=3\n", "spaced", "k"), "3");  // name trimmed
    EXPECT_EQ(Get("s]\nk=1\n", "s", "k"), "DEF");               // must start with [
    EXPECT_EQ(Get("[x]\n;[t]\nk=1\n", "t", "k"), "DEF");
    EXPECT_EQ(Get("[x]\n#[u]\nk=1\n", "u", "k"), "DEF");
    EXPECT_EQ(Get("k=0\n[x]\n", "", "k"), "DEF");                  // before the first header
    EXPECT_EQ(Get("[]\nk=4\n", "", "k"), "4");                     // the empty section name
    EXPECT_EQ(Get("[d]\nk=1\n[D]\nk=2\nj=3\n", "d", "j"), "DEF");  // only the first occurrence
    EXPECT_EQ(Get("[particle types]\nk=5\n", "particle  types", "k"), "DEF");
    EXPECT_EQ(Get("[a;=\"q\"]\nk=6\n", "a;=\"q\"", "k"), "6");      // literal characters
    EXPECT_EQ(Get("\xEF\xBB\xBF[bom]\nk=1\n", "bom", "k"), "DEF");  // a BOM is text of line 1

    // Keys and values.
    EXPECT_EQ(Get("[s]\nv = 1 2 3 4 \n", "s", "v"), "1 2 3 4");
    EXPECT_EQ(Get("[s]\nv=0, 0, 0, 1\n", "s", "v"), "0, 0, 0, 1");
    EXPECT_EQ(Get("[s]\na=b=c\n", "s", "a"), "b=c");
    EXPECT_EQ(Get("[s]\nnovalue\nnovalue=1\n", "s", "novalue"), "DEF");  // hides the later one
    DWORD n = 99;
    EXPECT_EQ(Get("[s]\nempty=\n", "s", "empty", 256, &n), "");
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(Get("[s]\nblank=   \n", "s", "blank"), "");
    EXPECT_EQ(Get("[s]\nk=1\nk=2\n", "s", "k"), "1");  // first wins
    EXPECT_EQ(Get("[s]\n  K  =1\n", "s", "k"), "1");
    EXPECT_EQ(Get("[s]\nhi=\xE4\xF6\xFC\xA0\n", "s", "hi"), "\xE4\xF6\xFC\xA0");  // bytes kept
    EXPECT_EQ(Get(std::string("[s]\nk=ab\0cd\n", 12), "s", "k"), "ab");  // NUL ends the value
    EXPECT_EQ(Get("[s]\n=x\n", "s", ""), "x");
    EXPECT_EQ(Get("[s]\nk=1\n", "s", ""), "DEF");

    // Comments and line ends.
    EXPECT_EQ(Get("[s]\n  ;k=1\n", "s", ";k"), "DEF");
    EXPECT_EQ(Get("[s]\n#a=1\n", "s", "#a"), "1");  // # is not a comment
    EXPECT_EQ(Get("[s]\na=1 ; note\n", "s", "a"), "1 ; note");
    EXPECT_EQ(Get("[s]\r\na=1\r\nb=2", "s", "b"), "2");
    EXPECT_EQ(Get("[s]\ra=1\rb=2\r", "s", "a"), "1");
    EXPECT_EQ(Get("[s]\n\t\v\f a=1 \x1A\n", "s", "a"), "1");

    // Quotes.
    EXPECT_EQ(Get("[s]\nk=\" padded \"\n", "s", "k"), " padded ");
    EXPECT_EQ(Get("[s]\nk=\"\"abc\"\"\n", "s", "k"), "\"abc\"");
    EXPECT_EQ(Get("[s]\nk=\"a\" \"b\"\n", "s", "k"), "a\" \"b");
    EXPECT_EQ(Get("[s]\nk='x\"\n", "s", "k"), "'x\"");
    EXPECT_EQ(Get("[s]\nk=\"\n", "s", "k"), "\"");
    EXPECT_EQ(Get("[s]\nk=''\n", "s", "k"), "");
}

TEST_F(ProfileTest, BuffersAndCuts) {
    DWORD n = 99;
    EXPECT_EQ(Get("[s]\nk=abc\n", "s", "k", 0, &n), "####");  // untouched
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(Get("[s]\nk=abc\n", "s", "k", 1, &n), "");
    EXPECT_EQ(n, 0u);
    std::string longValue(300, 'v');
    EXPECT_EQ(Get("[s]\nk=" + longValue + "\n", "s", "k", 256, &n), longValue.substr(0, 255));
    EXPECT_EQ(n, 255u);
    EXPECT_EQ(Get("[s]\nk=\"abcdef\"\n", "s", "k", 7, &n), "abcde");
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(Get("[s]\nk=\"abcdef\"\n", "s", "k", 6, &n), "abcde");
    EXPECT_EQ(Get("[s]\nk=\"abcdef\"\n", "s", "k", 8, &n), "abcdef");
    EXPECT_EQ(Get("[s]\nk='x'\n", "s", "k", 2, &n), "");
    EXPECT_EQ(Get("[s]\nk=\"\"\n", "s", "k", 1, &n), "");
    EXPECT_EQ(Get("[s]\n", "s", "k", 3, &n), "DE");  // the default is cut like a value
}

// Key k of section s in the file at `path`, or the fallback.
std::string Read(const std::string& path, const char* fallback = "none") {
    char buffer[32];
    GetPrivateProfileStringA("s", "k", fallback, buffer, sizeof buffer, path.c_str());
    return buffer;
}

// Names as the caller gives them, defaults, missing files, game paths and changed files.
TEST_F(ProfileTest, LookupDefaultsAndFiles) {
    EXPECT_EQ(Get("[Game]\nWinResX=1\n", "  gAME ", " winresx  "), "1");
    EXPECT_EQ(Get("[game]\nk=1\n", "\tgame", "k"), "DEF");  // a TAB in the caller's name stays
    EXPECT_EQ(Get("[\xC4]\nk=1\n", "\xE4", "k"), "DEF");    // case folds ASCII letters only
    const std::string blank = dir.write("d.ini", "[s]\n");
    EXPECT_EQ(Read(blank, "  spaced \t  "), "  spaced \t");  // trailing blanks cut, the rest kept
    EXPECT_EQ(Read(blank, nullptr), "");

    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "none", buffer, 16, "/nonexistent/x.ini"), 4u);
    EXPECT_STREQ(buffer, "none");
    EXPECT_EQ(Read(dir.write("empty.ini", "")), "none");
    // Backslashes and a case-insensitive match of every component.
    dir.write("Data/Game.INI", "[s]\nk=found\n");
    EXPECT_EQ(Read(dir.path() + "\\DATA\\game.ini"), "found");
    const std::string changed = dir.write("c.ini", "[s]\nk=old\n");
    EXPECT_EQ(Read(changed), "old");
    dir.write("c.ini", "[s]\nk=newer\n");  // a different size, whatever the clock's resolution
    EXPECT_EQ(Read(changed), "newer");
}

}  // namespace
