// The files that the level file's entries name: visual models and their textures, cooked
// collision meshes and the sky box's faces. Part of the level file's checks; reads files only,
// so it runs without a window.
#pragma once

#include <set>
#include <string>
#include <vector>

class NxPhysicsSDK;

struct FileProblem {
    bool fatal;
    std::string text;  // says what is wrong with which file, and what the game does about it
};

class LevelFiles {
public:
    // With an SDK, cooked meshes are read through the physics layer's cache (so the game reads
    // each file once); without, only their presence is checked.
    explicit LevelFiles(NxPhysicsSDK* sdk) : sdk_(sdk) {}

    // The visual model "models\<name>.ms3d" and its textures. A missing file is reported every
    // time it is asked for; what is wrong inside a file only the first time.
    std::vector<FileProblem> visualModel(const std::string& name);
    // The cooked mesh of the physics model `name`, reported once per file.
    std::vector<FileProblem> cookedMesh(const std::string& name, bool concave);
    // The six faces of the sky box under the folder prefix `prefix`.
    std::vector<FileProblem> skyBox(const std::string& prefix);

private:
    NxPhysicsSDK* sdk_;
    std::set<std::string> seen_;
    bool listed_ = false;
    std::vector<std::string> modelNames_;  // the models folder's names, listed on first use
};

// Of `candidates`, the one that `word` most likely misspells (a few letters apart, any case), or
// an empty string.
std::string ClosestName(const std::string& word, const std::vector<std::string>& candidates);
