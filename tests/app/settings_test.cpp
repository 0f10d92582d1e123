// The typed readers: sentinels for missing keys and the C library's conversion rules.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"

namespace {

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
