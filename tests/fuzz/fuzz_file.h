// Fuzz inputs as files: the game's readers take paths. Each input is written to the same file in
// a private folder and stamped with a new modification time, so a reader that caches parsed files
// by size and time (the profile reader) sees every input as a new file.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

// A private folder for this process, made once and removed at exit.
inline const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/zorvan-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        return std::string(pattern);
    }();
    // Registered after the name is made, so it runs before the name goes.
    static const int removal = std::atexit([] { std::filesystem::remove_all(Folder()); });
    (void)removal;
    return folder;
}

// Writes the input to Folder()/name and returns the file's path.
inline std::string WriteInput(const char* name, const uint8_t* data, size_t size) {
    static long stamp = 0;
    std::string path = Folder() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    const timespec times[2] = {{++stamp, 0}, {stamp, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
}

}  // namespace fuzz
