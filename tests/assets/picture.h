// A picture as the game receives it from DevIL: no origin forced, so BMP rows arrive bottom-up
// (row 0 is t = 0, the bottom of the picture) and JPEG rows top-down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0, height = 0;
    int format = 0;  // IL_BGR for BMP, IL_RGB for JPEG
    int bytesPerPixel = 0;
    std::vector<uint8_t> data;  // rows in DevIL's order

    // Channel values (red, green, blue) of the texel at column x of data row `row`.
    void rgb(int x, int row, int out[3]) const;
};

// False when DevIL cannot load the file.
bool LoadPicture(const std::string& path, Picture& picture);
