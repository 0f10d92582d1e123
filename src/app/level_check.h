// Checks of the level file that run before the window opens: every count and every placement
// the loader will read. The checks only read the file, so the cooking tool and the fuzz tests
// run them without a window or a physics world.
#pragma once

#include <string>
#include <vector>

struct LevelProblem {
    bool fatal;           // the game cannot start with it; else a warning
    std::string message;  // names the file, the section and the key
};

// The problems of the level file `file`: a count that is missing, not a number, negative or
// beyond what a level can hold; a placement matrix that is missing or holds a number that is not
// finite (all fatal); a placement beyond the world's bounds (a warning). A fatal count ends the
// check, since the entries cannot be counted without it.
std::vector<LevelProblem> CheckLevelFile(const char* file);
