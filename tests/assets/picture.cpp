#include "picture.h"

#include <IL/il.h>

void Picture::rgb(int x, int row, int out[3]) const {
    const uint8_t* p = &data[(static_cast<size_t>(row) * width + x) * bytesPerPixel];
    bool bgr = format == IL_BGR;
    out[0] = p[bgr ? 2 : 0];
    out[1] = p[1];
    out[2] = p[bgr ? 0 : 2];
}

bool LoadPicture(const std::string& path, Picture& picture) {
    static const bool ready = [] {
        ilInit();
        return true;
    }();
    (void)ready;
    ILuint name;
    ilGenImages(1, &name);
    ilBindImage(name);
    bool loaded = ilLoadImage(path.c_str()) == IL_TRUE;
    if (loaded) {
        picture.width = ilGetInteger(IL_IMAGE_WIDTH);
        picture.height = ilGetInteger(IL_IMAGE_HEIGHT);
        picture.format = ilGetInteger(IL_IMAGE_FORMAT);
        picture.bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
        const uint8_t* data = ilGetData();
        picture.data.assign(data, data + static_cast<size_t>(picture.width) * picture.height *
                                             picture.bytesPerPixel);
    }
    ilDeleteImages(1, &name);
    return loaded;
}
