#include "platform/game_path.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case, or `name` itself.
std::string MatchInFolder(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return name;
    std::string match = name;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            match = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return match;
}

}  // namespace

std::string GamePath(const char* path) {
    std::string mapped = path ? path : "";
    for (char& c : mapped)
        if (c == '\\') c = '/';
    if (mapped.empty() || Exists(mapped)) return mapped;

    // Walk the components, keeping the exact name where it exists and matching case otherwise.
    std::string resolved;
    size_t start = 0;
    if (mapped[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= mapped.size()) {
        size_t end = mapped.find('/', start);
        if (end == std::string::npos) end = mapped.size();
        std::string part = mapped.substr(start, end - start);
        if (!part.empty()) {
            std::string candidate = resolved + part;
            if (!Exists(candidate)) {
                std::string folder = resolved.empty() ? "." : resolved;
                candidate = resolved + MatchInFolder(folder, part);
            }
            resolved = candidate;
            if (end < mapped.size()) resolved += '/';
        }
        start = end + 1;
    }
    return resolved;
}

FILE* GameOpen(const char* path, const char* mode) {
    return std::fopen(GamePath(path).c_str(), mode);
}

bool GameReadText(const char* path, std::string& text) {
    FILE* file = GameOpen(path, "rb");
    if (file == nullptr) return false;
    text.clear();
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    std::fclose(file);
    // Text mode on Windows turns each CR LF pair into LF; a lone CR stays.
    size_t out = 0;
    for (size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
        text[out++] = text[in];
    }
    text.resize(out);
    return true;
}
