#include "support/image_files.h"

#include <gtest/gtest.h>

#include <filesystem>

void WriteImage(const std::string& path, int width, int height, ILenum format,
                const std::vector<uint8_t>& pixels) {
    const int channels = format == IL_RGBA ? 4 : 3;
    ASSERT_EQ(pixels.size(), size_t(width * height * channels));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(width, height, 1, channels, format, IL_UNSIGNED_BYTE,
               const_cast<uint8_t*>(pixels.data()));
    ilSetInteger(IL_JPG_QUALITY, 99);
    ilEnable(IL_FILE_OVERWRITE);
    EXPECT_TRUE(ilSaveImage(path.c_str())) << path;
    ilDeleteImages(1, &image);
}

void WriteSolidImage(const std::string& path, int width, int height, uint8_t r, uint8_t g,
                     uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), {r, g, b});
    WriteImage(path, width, height, IL_RGB, pixels);
}
