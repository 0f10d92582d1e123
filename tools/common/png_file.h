// Saves RGB or RGBA pixels (rows bottom-up, as GL reads them) as a PNG file.
#pragma once

#include <cstdint>
#include <vector>

bool SavePng(const char* file, int width, int height, std::vector<uint8_t>& pixels,
             int channels = 3);
