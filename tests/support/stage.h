// A private copy of the stage folder for one scenario: the generated models and textures are
// linked, the data folder is copied so a test may change it, and the game's log lands here.
#pragma once

#include <string>

#include "support/command.h"
#include "support/temp_dir.h"

class Stage {
public:
    Stage();
    const std::string& path() const { return dir_.path(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        return dir_.write(name, bytes);
    }
    // Sets a key of data/game.ini that the file has.
    void setting(const std::string& key, const std::string& value) const;
    // Shrinks the game's window (to 256 x 192 the pointer's centre becomes (128, 96)), which
    // draws many times faster in software for scenarios that need no full-size screenshots.
    void useSmallWindow(int width = 256, int height = 192) const;
    // Runs zorvan-run in and on this folder with the arguments (a shell word list, which may
    // redirect its streams: "... 2>&1 >/dev/null" keeps only standard error).
    RunResult run(const std::string& arguments) const;
    std::string log() const { return ReadFile(path() + "/zvLog.txt"); }

private:
    TempDir dir_;
};
