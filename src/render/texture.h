// Textures: image files decoded by DevIL and uploaded as OpenGL 2D textures under the bilinear and
// mipmap switches. Every call decodes the file again and makes a new texture.
#pragma once

#include <cstdint>

// Loads "textures\..." style paths relative to the working directory. Never returns 0: a file
// that fails to load is reported on the console and gets a small visible placeholder. The new
// texture is left bound. The decoded image is not kept: the texture is all that remains of it.
uint32_t LoadTexture(const char* file, bool bilinear, bool mipmap);
// Deletes the texture; nothing else belongs to it.
void DeleteTexture(uint32_t texture);
void BindTexture(uint32_t texture);
