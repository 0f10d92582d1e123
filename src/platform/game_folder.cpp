#include "platform/game_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/game_path.h"

namespace fs = std::filesystem;

namespace {

bool HoldsGameData(const fs::path& folder) {
    struct stat info {};
    return stat(GamePath((folder / "data\\game.ini").c_str()).c_str(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

// Creates `folder` and its parents with the permissions XDG asks for (0700 for new folders).
bool MakeFolders(const fs::path& folder) {
    std::string path;
    for (const fs::path& part : folder) {
        path = (fs::path(path) / part).string();
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return fs::is_directory(folder);
}

}  // namespace

bool EnterGameFolder(const char* chosen, std::string& error) {
    std::vector<fs::path> tried;
    if (chosen != nullptr) {
        tried.push_back(chosen);
    } else {
        std::error_code failed;
        fs::path exe = fs::read_symlink("/proc/self/exe", failed).parent_path();
        if (!failed) {
            tried.push_back(exe);
            tried.push_back((exe / ".." / "share" / "zorvan").lexically_normal());
        }
        fs::path here = fs::current_path(failed);
        if (std::find(tried.begin(), tried.end(), here) == tried.end()) tried.push_back(here);
    }
    for (const fs::path& folder : tried) {
        if (!HoldsGameData(folder)) continue;
        if (chdir(folder.c_str()) == 0) return true;
        error = "cannot enter " + folder.string();
        return false;
    }
    error = "found no data/game.ini in ";
    for (size_t i = 0; i < tried.size(); ++i)
        error += (i == 0 ? "" : i + 1 < tried.size() ? ", " : " or ") + tried[i].string();
    error += chosen != nullptr ? "" : " (--data DIR names the folder that holds data/)";
    return false;
}

std::string StateFile(const char* name) {
    fs::path folder;
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (state != nullptr && state[0] == '/')  // XDG ignores a relative path here
        folder = state;
    else if (home != nullptr && home[0] != '\0')
        folder = fs::path(home) / ".local" / "state";
    else
        return "";
    folder /= "zorvan";
    return MakeFolders(folder) ? (folder / name).string() : "";
}
