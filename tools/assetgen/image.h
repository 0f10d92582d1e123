// A picture being painted: floating-point RGB texels, rows from the top of the picture down, the
// way a person looks at it. The image writer decides how rows land in each file format.
#pragma once

#include <string>
#include <vector>

#include "colour.h"

class Image {
public:
    Image(int width, int height) : width_(width), height_(height), texels_(width * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return texels_[y * width_ + x]; }
    const Rgb& at(int x, int y) const { return texels_[y * width_ + x]; }

    // Sets every texel from paint(u, v): u across from the left, v down from the top, both in
    // [0, 1) at texel centres.
    template <typename Paint>
    void paint(Paint paint) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                at(x, y) = paint((x + 0.5f) / width_, (y + 0.5f) / height_);
    }

private:
    int width_, height_;
    std::vector<Rgb> texels_;
};

// Saves as 24-bit BMP (".bmp") or JPEG (".jpg") through DevIL, upright as painted: a BMP's rows
// go bottom-up in the file, so DevIL delivers it with the picture's bottom row first (texture
// coordinate t = 0 at the bottom); a JPEG arrives top row first (t = 0 at the top, as MilkShape
// counts). False with `error` set when the file cannot be written.
bool SaveImage(const Image& image, const std::string& path, std::string& error);
