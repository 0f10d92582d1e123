// The shell's core: the log keeps its first file, flushes every line and ignores writes while
// closed; the removal pattern handles entries last-collected first and keeps the list consistent;
// the typed readers give sentinels for missing keys and follow the C library's conversion rules.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/log.h"
#include "core/removal.h"
#include "core/settings.h"
#include "support/temp_dir.h"

namespace {

TEST(Log, OpenWriteClose) {
    TempDir dir;
    std::string first = dir.path() + "/first.txt", second = dir.path() + "/second.txt";
    LogLine("before open");
    LogOpen(first.c_str());
    LogLine("Load Game Settings");
    EXPECT_EQ(ReadFile(first), "Load Game Settings\n");  // flushed at once
    LogOpen(second.c_str());                             // keeps the first file
    LogLine("Exiting");
    LogClose();
    LogLine("after close");
    LogClose();
    EXPECT_EQ(ReadFile(first), "Load Game Settings\nExiting\n");
    EXPECT_EQ(ReadFile(second), "");
    EXPECT_EQ(logFile, nullptr);

    LogOpen(first.c_str());  // a new run starts a fresh file
    LogClose();
    EXPECT_EQ(ReadFile(first), "");
}

TEST(RemovalPass, HandlesCollectedEntriesLastFirstAndStepsTheOthers) {
    const struct {
        std::vector<int> list;
        int divisor;  // entries that it divides are collected
        std::vector<int> kept, handled;
    } cases[] = {{{1, 2, 3, 4, 5, 6}, 2, {1, 3, 5}, {6, 4, 2}},  // the earlier iterators stay valid
                 {{1, 2, 3}, 1, {}, {3, 2, 1}},
                 {{7, 8}, 9, {7, 8}, {}}};
    for (const auto& c : cases) {
        std::vector<int> list = c.list, stepped, handled;
        RemovalPass(
            list, [&](int v) { return v % c.divisor == 0; }, [&](int v) { stepped.push_back(v); },
            [&](int v) { handled.push_back(v); });
        EXPECT_EQ(list, c.kept);
        EXPECT_EQ(stepped, c.kept);
        EXPECT_EQ(handled, c.handled);
    }
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = dir.write("level.ini",
                         "[game]\n"
                         "int=42\nneg= -7x\ntrunc=12.9\nletters=abc\nzero=0\nhuge=99999999999\n"
                         "marker=[NOT FOUND]\n"
                         "f=2.5\nv2=1.5,-2\nv3=1, 2, 3\nv4=1,2,3,4\nv4blanks=1 2 3 4\n"
                         "m=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1\n");
    }
    TempDir dir;
    std::string file;
    const char* f() { return file.c_str(); }
};

constexpr float kMissing = 12345678.0f;

TEST_F(SettingsTest, EveryTypeWithItsMissingValue) {
    EXPECT_EQ(ReadInt(f(), "game", "int"), 42);
    EXPECT_EQ(ReadInt(f(), "game", "neg"), -7);
    EXPECT_EQ(ReadInt(f(), "game", "trunc"), 12);
    EXPECT_EQ(ReadInt(f(), "game", "letters"), 0);
    EXPECT_EQ(ReadInt(f(), "game", "huge"), INT32_MAX);  // saturates instead of overflowing
    EXPECT_EQ(ReadInt(f(), "game", "missing"), NOT_FOUND_VALUE);
    EXPECT_EQ(ReadInt(f(), "game", "marker"), NOT_FOUND_VALUE);  // the marker reads as missing
    EXPECT_TRUE(ReadBool(f(), "game", "missing"));
    EXPECT_FALSE(ReadBool(f(), "game", "zero"));
    EXPECT_FALSE(ReadBool(f(), "game", "letters"));
    EXPECT_TRUE(ReadBool(f(), "game", "int"));
    EXPECT_FLOAT_EQ(ReadFloat(f(), "game", "f"), 2.5f);
    EXPECT_FLOAT_EQ(ReadFloat(f(), "game", "missing"), kMissing);
    Vec2 v2 = ReadVec2(f(), "game", "v2");
    EXPECT_FLOAT_EQ(v2.x, 1.5f);
    EXPECT_FLOAT_EQ(v2.y, -2.0f);
    NxVec3 v3 = ReadVec3(f(), "game", "v3");
    EXPECT_EQ(v3, NxVec3(1, 2, 3));
    EXPECT_EQ(ReadVec3(f(), "nosection", "v3"), NxVec3(kMissing));
    Vec4 v4 = ReadVec4(f(), "game", "v4");
    EXPECT_EQ(v4.w, 4.0f);
    Vec4 blanks = ReadVec4(f(), "game", "v4blanks");  // the comma is required
    EXPECT_EQ(blanks.x, 1.0f);
    EXPECT_EQ(blanks.y, 0.0f);
    Vec4 missing = ReadVec4(f(), "game", "missing");
    EXPECT_EQ(missing.x, kMissing);
    EXPECT_EQ(missing.w, kMissing);
    float* m = ReadMatrix(f(), "game", "m");
    EXPECT_EQ(m[0], 1.0f);
    EXPECT_EQ(m[12], 5.0f);
    EXPECT_EQ(m[14], 7.0f);
    EXPECT_EQ(m[15], 1.0f);
    delete[] m;
    m = ReadMatrix(f(), "game", "missing");
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], kMissing);
    delete[] m;
    char small[4];
    ReadString(f(), "game", "letters", small, sizeof small);
    EXPECT_STREQ(small, "abc");
    char buffer[32];
    ReadString(f(), "game", "missing", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "[NOT FOUND]");
}

}  // namespace
