#include "generated.h"

#include <IL/il.h>

#include <stdexcept>

#include "support/command.h"
#include "support/temp_dir.h"

int RunGenerator(const std::string& dir) {
    return RunCommand(std::string("'") + ZORVAN_ASSETGEN + "' '" + dir + "'").exitCode;
}

const std::string& GeneratedDir() {
    static TempDir dir;
    static const bool generated = RunGenerator(dir.path()) == 0;
    if (!generated) throw std::runtime_error("zorvan-assetgen failed");
    return dir.path();
}

std::string ModelPath(const std::string& name) {
    return GeneratedDir() + "/models/" + name + ".ms3d";
}

std::string TexturePath(const std::string& file) {
    return GeneratedDir() + "/textures/" + file;
}

std::array<int, 3> Picture::rgb(int x, int row) const {
    const uint8_t* p = &data[(static_cast<size_t>(row) * width + x) * bytesPerPixel];
    return format == IL_BGR ? std::array<int, 3>{p[2], p[1], p[0]}
                            : std::array<int, 3>{p[0], p[1], p[2]};
}

Picture LoadPicture(const std::string& path) {
    [[maybe_unused]] static const bool ready = (ilInit(), true);
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    if (!ilLoadImage(path.c_str())) throw std::runtime_error("cannot load " + path);
    Picture p{ilGetInteger(IL_IMAGE_WIDTH),
              ilGetInteger(IL_IMAGE_HEIGHT),
              ilGetInteger(IL_IMAGE_FORMAT),
              ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL),
              {}};
    p.data.assign(ilGetData(),
                  ilGetData() + static_cast<size_t>(p.width) * p.height * p.bytesPerPixel);
    ilDeleteImages(1, &name);
    return p;
}
