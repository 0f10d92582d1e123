#include "generated.h"

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
