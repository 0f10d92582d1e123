#include "generated.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "support/temp_dir.h"

int RunGenerator(const std::string& dir) {
    std::string command = std::string("'") + ZORVAN_ASSETGEN + "' '" + dir + "'";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
