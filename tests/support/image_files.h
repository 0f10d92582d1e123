// Writes small image files with DevIL for the texture and model tests.
#pragma once

#include <IL/il.h>

#include <cstdint>
#include <string>
#include <vector>

// Saves `pixels` (rows in DevIL's default order: the first row is the bottom of the picture) in
// the format the path's extension names. `format` is IL_RGB or IL_RGBA.
void WriteImage(const std::string& path, int width, int height, ILenum format,
                const std::vector<uint8_t>& pixels);
// A width x height RGB image of one colour.
void WriteSolidImage(const std::string& path, int width, int height, uint8_t r, uint8_t g,
                     uint8_t b);
