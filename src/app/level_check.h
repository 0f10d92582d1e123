// Checks of the level file that run before the level is built: its layout, every count, key and
// placement the loader will read, and the files its entries name. The checks only read files,
// so the cooking tool and the fuzz tests run them without a window.
#pragma once

#include <string>
#include <vector>

class NxPhysicsSDK;

struct LevelProblem {
    bool fatal;           // the game cannot start with it; else a warning
    std::string section;  // the section it concerns; empty for the file as a whole
    std::string key;      // the key it concerns; empty for a whole section
    std::string message;  // one line that names the file, the section and the key
};

// A section of numbered entries and the key of [level] that counts them.
struct CountedSection {
    const char* countSection;  // the loader asks for numModels under "Level"; names match any case
    const char* countKey;
    const char* section;
};
inline constexpr CountedSection kCountedSections[] = {{"Level", "numModels", "models"},
                                                      {"level", "numEnemies", "enemies"},
                                                      {"level", "numRings", "rings"},
                                                      {"level", "numDoors", "doors"}};

// The problems of the level file `file`, section by section and entry by entry. Fatal: a missing
// file; a count that is missing, not a number, negative or beyond what a level can hold (this
// ends the check, since the entries cannot be counted without it); a counted section or entry
// that is missing; a placement matrix that is missing or holds a number that is not finite; a
// missing physics model or one whose cooked mesh is missing or unreadable; a density below 0.
// Everything else the game can run with is a warning that says what the game makes of it.
// With an SDK the cooked meshes are read through the physics layer's cache; without, only
// their presence is checked.
std::vector<LevelProblem> CheckLevelFile(const char* file, NxPhysicsSDK* sdk = nullptr);
