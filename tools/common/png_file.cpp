#include "common/png_file.h"

#include <IL/il.h>

bool SavePng(const char* file, int width, int height, std::vector<uint8_t>& pixels, int channels) {
    ILuint image = ilGenImage();
    ilBindImage(image);
    // GL rows run bottom-up, which is DevIL's lower-left origin.
    bool ok = ilTexImage(width, height, 1, channels, channels == 4 ? IL_RGBA : IL_RGB,
                         IL_UNSIGNED_BYTE, pixels.data());
    if (ok) {
        ilEnable(IL_FILE_OVERWRITE);
        ok = ilSave(IL_PNG, file);
    }
    ilDeleteImage(image);
    return ok;
}
