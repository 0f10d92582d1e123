// The generator's output for the tests: zorvan-assetgen is run once per test program into a
// scratch folder, and can be run again for comparisons. Its pictures are read as the game does.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The folder holding models/ and textures/ from one run (made on first use).
const std::string& GeneratedDir();
// Runs zorvan-assetgen into `dir`; its exit code.
int RunGenerator(const std::string& dir);

std::string ModelPath(const std::string& name);    // GeneratedDir()/models/<name>.ms3d
std::string TexturePath(const std::string& file);  // GeneratedDir()/textures/<file>

// A picture as the game receives it from DevIL: no origin forced, so BMP rows arrive bottom-up
// (data row 0 is t = 0, the bottom of the picture) and JPEG rows top-down.
struct Picture {
    int width, height, format, bytesPerPixel;  // format: IL_BGR for BMP, IL_RGB for JPEG
    std::vector<uint8_t> data;

    // Red, green and blue of the texel at column x of data row `row`.
    std::array<int, 3> rgb(int x, int row) const;
};

// Throws when DevIL cannot load the file.
Picture LoadPicture(const std::string& path);
