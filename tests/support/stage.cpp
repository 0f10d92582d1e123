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

void Stage::setting(const std::string& key, const std::string& value) const {
    std::string ini = ReadFile(path() + "/data/game.ini");
    const size_t at = ini.find(key + '=');
    if (at != std::string::npos) ini.replace(at, ini.find('\n', at) - at, key + '=' + value);
    write("data/game.ini", ini);
}

void Stage::useSmallWindow(int width, int height) const {
    setting("winResX", std::to_string(width));
    setting("winResY", std::to_string(height));
}

RunResult Stage::run(const std::string& arguments) const {
    // Braced, so that the arguments may send the runner's streams elsewhere. --data: the runner
    // would otherwise take the stage folder beside it for the game's folder.
    return RunCommand("cd '" + path() + "' && { '" ZORVAN_STAGE_DIR "/zorvan-run' --data . " +
                      arguments + "; }");
}
