#include "support/stage.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

Stage::Stage() {
    fs::path stage = ZORVAN_STAGE_DIR;
    for (const char* linked : {"models", "textures"})
        if (fs::exists(stage / linked)) fs::create_directory_symlink(stage / linked, fs::path(path()) / linked);
    fs::copy(stage / "data", fs::path(path()) / "data", fs::copy_options::recursive);
}

RunResult Stage::run(const std::string& arguments) const {
    std::string command = "cd '" + path() + "' && '" + ZORVAN_STAGE_DIR "/zorvan-run' " +
                          arguments + " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, got);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
