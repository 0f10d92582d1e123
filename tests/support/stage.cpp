#include "support/stage.h"

#include <filesystem>

namespace fs = std::filesystem;

Stage::Stage() {
    fs::path stage = ZORVAN_STAGE_DIR;
    for (const char* linked : {"models", "textures", "sounds"})
        if (fs::exists(stage / linked))
            fs::create_directory_symlink(stage / linked, fs::path(path()) / linked);
    fs::copy(stage / "data", fs::path(path()) / "data", fs::copy_options::recursive);
}

void Stage::useSmallWindow(int width, int height) const {
    std::string ini = ReadFile(path() + "/data/game.ini");
    for (auto [key, value] : {std::pair{"winResX=", width}, std::pair{"winResY=", height}}) {
        size_t at = ini.find(key);
        if (at == std::string::npos) continue;
        size_t end = ini.find('\n', at);
        ini.replace(at, end - at, key + std::to_string(value));
    }
    write("data/game.ini", ini);
}

RunResult Stage::run(const std::string& arguments) const {
    // Braced, so that the arguments may send the runner's streams elsewhere. --data: the runner
    // would otherwise take the stage folder beside it for the game's folder.
    return RunCommand("cd '" + path() + "' && { '" ZORVAN_STAGE_DIR "/zorvan-run' --data . " +
                      arguments + "; }");
}
