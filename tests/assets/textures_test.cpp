// The generated pictures: all there in the layouts the game uploads, the particle sheet's cells
// where data\game.ini says, and the whole output the same on every run. The sky is checked as the
// game draws it, in the world's tests.
#include <IL/il.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "generated.h"
#include "picture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

Picture Load(const std::string& file) {
    Picture picture;
    if (!LoadPicture(TexturePath(file), picture)) throw std::runtime_error("cannot load " + file);
    return picture;
}

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
        Picture p = Load(file);
        EXPECT_EQ(p.format, file.ends_with(".bmp") ? IL_BGR : IL_RGB) << file;
        EXPECT_EQ(p.bytesPerPixel, 3) << file;
        EXPECT_EQ(p.width, p.height) << file;
        EXPECT_GE(p.width, 32) << file;
    }
}

// The particle rectangles of data\game.ini: x, y (from the top), width, height in pixels.
std::vector<std::array<int, 4>> ParticleRectangles() {
    std::ifstream ini(std::string(ZORVAN_SOURCE_DIR) + "/data/game.ini");
    std::vector<std::array<int, 4>> rects(16, {-1, -1, -1, -1});
    std::string line;
    while (std::getline(ini, line)) {
        int type;
        std::array<int, 4> r;
        if (std::sscanf(line.c_str(), "Type%d=%d, %d, %d, %d", &type, &r[0], &r[1], &r[2], &r[3]) ==
                5 &&
            type >= 0 && type < 16)
            rects[type] = r;
    }
    return rects;
}

TEST(Textures, SpriteCellsLieWhereTheGameLooksForThem) {
    Picture sheet = Load("sprites.bmp");
    ASSERT_EQ(sheet.width, 256);
    // The game maps picture row y (from the top) to t = 1 - y / 256, and DevIL delivers a BMP's
    // rows from t = 0 up: picture row y is data row 255 - y.
    auto rowOf = [](int y) { return 255 - y; };
    std::vector<std::array<int, 4>> rects = ParticleRectangles();
    std::array<std::array<double, 3>, 16> colour{};
    for (int type = 0; type < 16; ++type) {
        auto [x0, y0, w, h] = rects[type];
        ASSERT_GE(x0, 0) << "Type" << type << " missing from game.ini";
        int brightest = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                int c[3];
                sheet.rgb(x, rowOf(y), c);
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

}  // namespace
