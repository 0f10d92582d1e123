// The generated pictures and sounds: all there in the layouts the game loads, the particle
// sheet's cells where data\game.ini says, and the whole output the same on every run. The sky is
// checked as the game draws it, in the world's tests.
#include <IL/il.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "core/settings.h"
#include "generated.h"
#include "sound/wav_file.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

// Two runs write the same bytes; every picture, the ones the game names included, is a square
// 24-bit image as the game uploads it.
TEST(Textures, TwoRunsWriteTheSameBytesAndEveryPictureIsASquare24BitImage) {
    TempDir again;
    ASSERT_EQ(RunGenerator(again.path()), 0);
    std::vector<std::string> first = FilesBelow(GeneratedDir());
    ASSERT_EQ(first, FilesBelow(again.path()));
    for (const std::string& file : first)
        EXPECT_TRUE(ReadFile(GeneratedDir() + "/" + file) == ReadFile(again.path() + "/" + file))
            << file;
    for (const char* named :
         {"sprites.bmp", "glow.jpg", "halo.jpg", "streaks.jpg", "cross_active.jpg",
          "cross_inactive.jpg", "rocketGUIleft.jpg", "sky/z+.bmp", "sky/z-.bmp", "sky/x-.bmp",
          "sky/x+.bmp", "sky/y+.bmp", "sky/y-.bmp"})
        EXPECT_NE(std::find(first.begin(), first.end(), std::string("textures/") + named),
                  first.end())
            << named;
    for (const std::string& file : FilesBelow(GeneratedDir() + "/textures")) {
        Picture p = LoadPicture(TexturePath(file));
        EXPECT_EQ(p.format, file.ends_with(".bmp") ? IL_BGR : IL_RGB) << file;
        EXPECT_EQ(p.bytesPerPixel, 3) << file;
        EXPECT_EQ(p.width, p.height) << file;
        EXPECT_GE(p.width, 32) << file;
    }
}

TEST(Textures, SpriteCellsLieWhereTheGameLooksForThem) {
    Picture sheet = LoadPicture(TexturePath("sprites.bmp"));
    ASSERT_EQ(sheet.width, 256);
    // The game maps picture row y (from the top) to t = 1 - y / 256, and DevIL delivers a BMP's
    // rows from t = 0 up: picture row y is data row 255 - y.
    auto rowOf = [](int y) { return 255 - y; };
    const std::string ini = std::string(ZORVAN_SOURCE_DIR) + "/data/game.ini";
    std::array<std::array<double, 3>, 16> colour{};
    for (int type = 0; type < 16; ++type) {
        // The cell of data\game.ini: x, y (from the top), width, height in pixels.
        const std::string key = "Type" + std::to_string(type);
        const Vec4 cell = ReadVec4(ini.c_str(), "particle types", key.c_str());
        const int x0 = int(cell.x), y0 = int(cell.y), w = int(cell.z), h = int(cell.w);
        ASSERT_LE(x0 + w, 256) << key << " missing from game.ini";
        int brightest = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const std::array<int, 3> c = sheet.rgb(x, rowOf(y));
                for (int k = 0; k < 3; ++k) colour[type][k] += c[k];
                brightest = std::max(brightest, c[0] + c[1] + c[2]);
                bool border = x < x0 + 2 || x >= x0 + w - 2 || y < y0 + 2 || y >= y0 + h - 2;
                if (border) {
                    EXPECT_EQ(c[0] + c[1] + c[2], 0) << "type " << type << " at " << x << ", " << y;
                }
            }
        EXPECT_GT(brightest, 150) << "type " << type;
    }
    // The colours pin the rows: a flipped sheet would show other cells here.
    auto warm = [&](int t) { return colour[t][0] > 1.5 * colour[t][2]; };
    EXPECT_TRUE(warm(2)) << "explosion flash";
    EXPECT_TRUE(warm(6)) << "golden ring marker";
    EXPECT_FALSE(warm(10));
    EXPECT_FALSE(warm(14));
}

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(bytes[at + i])} << 8 * i;
    return value;
}

std::string Patched(std::string bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i & 0xff);
    return bytes;
}

// Every sound is a plain 16-bit mono WAV file at 22050 Hz, from a twentieth of a second to two
// seconds long, audible and never clipped, which the game's own reader takes; that reader refuses
// the same bytes broken as a damaged or foreign file would be.
TEST(Sounds, EveryEffectIsAShortWellFormedWaveFile) {
    std::vector<std::string> files = FilesBelow(GeneratedDir() + "/sounds");
    EXPECT_EQ(files.size(), 22u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string bytes = ReadFile(GeneratedDir() + "/sounds/" + file);
        ASSERT_GE(bytes.size(), 46u);
        EXPECT_EQ(bytes.substr(0, 16), std::string("RIFF") + bytes.substr(4, 4) + "WAVEfmt ");
        EXPECT_EQ(Le32(bytes, 4), bytes.size() - 8);
        EXPECT_EQ(Le32(bytes, 24), 22050u);
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(Le32(bytes, 40), bytes.size() - 44);
        WavSound sound;
        std::string error;
        ASSERT_TRUE(ParseWav(bytes, sound, error)) << error;
        double seconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
        EXPECT_TRUE(seconds >= 0.05 && seconds <= 2.0) << seconds;
        int peak = 0;
        for (int16_t s : sound.samples) peak = std::max(peak, std::abs(int{s}));
        EXPECT_TRUE(peak > 16000 && peak < 32000) << peak;
        if (file == "roll.wav") {  // it loops: its end runs on into its start
            EXPECT_LT(std::abs(sound.samples.back() - sound.samples.front()), 1500);
        }
    }

    const std::string good = ReadFile(GeneratedDir() + "/sounds/ring.wav");
    const std::pair<const char*, std::string> broken[] = {
        {"cut short", good.substr(0, good.size() - 2)},
        {"only a header", Patched(good.substr(0, 12), 4, 4, 4)},
        {"not WAVE", Patched(good, 8, 0x45564157 + 1, 4)},
        {"compressed", Patched(good, 20, 2, 2)},
        {"stereo", Patched(good, 22, 2, 2)},
        {"8-bit", Patched(good, 34, 8, 2)},
        {"no rate", Patched(good, 24, 0, 4)},
        {"data past the end", Patched(good, 40, 0xfffffff0, 4)},
        {"no samples", Patched(Patched(good.substr(0, 44), 40, 0, 4), 4, 36, 4)},
    };
    for (const auto& [what, bytes] : broken) {
        WavSound sound;
        std::string error;
        EXPECT_FALSE(ParseWav(bytes, sound, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

}  // namespace
