#include <IL/il.h>

#include <cmath>
#include <cstdint>

#include "image.h"

namespace {

constexpr int kJpegQuality = 92;

void InitDevilOnce() {
    static const bool ready = [] {
        ilInit();
        ilEnable(IL_FILE_OVERWRITE);
        ilSetInteger(IL_JPG_QUALITY, kJpegQuality);
        return true;
    }();
    (void)ready;
}

uint8_t ToByte(float channel) {
    return static_cast<uint8_t>(std::lround(Clamp01(channel) * 255.0f));
}

bool EndsWith(const std::string& text, const char* suffix) {
    std::string s = suffix;
    return text.size() >= s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

}  // namespace

bool SaveImage(const Image& image, const std::string& path, std::string& error) {
    ILenum type;
    if (EndsWith(path, ".bmp")) {
        type = IL_BMP;
    } else if (EndsWith(path, ".jpg")) {
        type = IL_JPG;
    } else {
        error = "unknown image type: " + path;
        return false;
    }
    InitDevilOnce();

    std::vector<uint8_t> rgb(static_cast<size_t>(image.width()) * image.height() * 3);
    size_t i = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& c = image.at(x, y);
            rgb[i++] = ToByte(c.r);
            rgb[i++] = ToByte(c.g);
            rgb[i++] = ToByte(c.b);
        }

    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    // The rows are handed over top row first; telling DevIL so makes each writer put them where
    // its format wants them (bottom-up for BMP, top-down for JPEG).
    bool saved = ilTexImage(image.width(), image.height(), 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
                            rgb.data()) == IL_TRUE;
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    saved = saved && ilSave(type, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &name);
    if (!saved) error = "DevIL cannot write " + path;
    return saved;
}
