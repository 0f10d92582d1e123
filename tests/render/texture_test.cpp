// Textures: true colours and DevIL's row order for every layout, the filter table, the
// placeholder for a missing file.
#include "render/texture.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/image_files.h"
#include "support/offscreen.h"
#include "support/temp_dir.h"

namespace {

using Rgb = std::array<int, 3>;

// Level 0 of the bound texture, read back as RGB.
Pixels ReadBoundTexture() {
    Pixels texels;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texels.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texels.height);
    texels.rgb.resize(texels.width * texels.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.rgb.data());
    return texels;
}

void ExpectNear(const Rgb& actual, const Rgb& expected, int tolerance, const char* what) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(actual[c], expected[c], tolerance) << what << " channel " << c;
}

class TextureTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.path() + "/" + name; }
    TempDir dir;
};

TEST_F(TextureTest, BmpAndJpegShowTrueColoursInTheRowOrderDevilDelivers) {
    const Rgb red = {255, 0, 0}, blue = {0, 0, 255};
    struct Case {
        const char* name;
        ILenum format;
        bool firstRowIsBottom;  // BMP rows arrive bottom-up, JPEG rows top-down
        int tolerance;
    };
    for (const Case& c : {Case{"rgb.bmp", IL_RGB, true, 0}, Case{"rgba.bmp", IL_RGBA, true, 0},
                          Case{"rgb.jpg", IL_RGB, false, 8}, Case{"upper.JPG", IL_RGB, false, 8},
                          Case{"rgb.png", IL_RGB, false, 0}}) {
        SCOPED_TRACE(c.name);
        // A red bottom half and a blue top half (DevIL's first row is the bottom).
        std::vector<uint8_t> pixels;
        for (int i = 0; i < 16 * 16; ++i) {
            pixels.insert(pixels.end(),
                          {uint8_t(i < 8 * 16 ? 255 : 0), 0, uint8_t(i < 8 * 16 ? 0 : 255)});
            if (c.format == IL_RGBA) pixels.push_back(255);
        }
        WriteImage(Path(c.name), 16, 16, c.format, pixels);
        uint32_t texture = LoadTexture(Path(c.name).c_str(), true, false);
        Pixels texels = ReadBoundTexture();
        ASSERT_EQ(texels.width, 16);
        ExpectNear(texels.At(8, 0), c.firstRowIsBottom ? red : blue, c.tolerance, "first row");
        ExpectNear(texels.At(8, 15), c.firstRowIsBottom ? blue : red, c.tolerance, "last row");
        DeleteTexture(texture);
    }
}

TEST_F(TextureTest, RowsWhoseLengthIsNoMultipleOfFourAreReadExactly) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 5 * 3; ++i) pixels.insert(pixels.end(), {uint8_t(i * 16), 7, uint8_t(i)});
    WriteImage(Path("odd.bmp"), 5, 3, IL_RGB, pixels);
    uint32_t texture = LoadTexture(Path("odd.bmp").c_str(), false, false);
    Pixels texels = ReadBoundTexture();
    ASSERT_EQ(texels.width, 5);
    ASSERT_EQ(texels.height, 3);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(texels.At(i % 5, i / 5), (Rgb{i * 16, 7, i})) << i;
    DeleteTexture(texture);
}

// The filters follow the two switches; a missing file is reported and gets a checker.
TEST_F(TextureTest, FiltersFollowTheTwoSwitchesAndAMissingFileGetsAChecker) {
    WriteSolidImage(Path("solid.jpg"), 16, 16, 10, 200, 30);
    struct Case {
        bool bilinear, mipmap;
        GLint minFilter, magFilter;
    };
    for (const Case& c :
         {Case{false, false, GL_NEAREST, GL_NEAREST}, Case{true, false, GL_LINEAR, GL_LINEAR},
          Case{false, true, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST},
          Case{true, true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR}}) {
        SCOPED_TRACE(testing::Message() << "bilinear " << c.bilinear << " mipmap " << c.mipmap);
        uint32_t texture = LoadTexture(Path("solid.jpg").c_str(), c.bilinear, c.mipmap);
        GLint minFilter = 0, magFilter = 0, smallestLevelWidth = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &smallestLevelWidth);
        EXPECT_EQ(minFilter, c.minFilter);
        EXPECT_EQ(magFilter, c.magFilter);
        EXPECT_EQ(smallestLevelWidth, c.mipmap ? 1 : 0);  // the full chain only with mipmaps
        DeleteTexture(texture);
    }

    const std::string missing = Path("missing.jpg");
    testing::internal::CaptureStdout();
    uint32_t texture = LoadTexture(missing.c_str(), true, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Textur konnte nicht geladen werden: " + missing + "\n");
    ASSERT_NE(texture, 0u);
    Pixels texels = ReadBoundTexture();
    ASSERT_EQ(texels.width, 8);
    ASSERT_EQ(texels.height, 8);
    EXPECT_EQ(texels.At(0, 0), (Rgb{255, 0, 255}));
    EXPECT_EQ(texels.At(1, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(texels.At(1, 1), (Rgb{255, 0, 255}));
    DeleteTexture(texture);
}

}  // namespace
