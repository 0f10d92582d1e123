// Every model the game's code and level file name, with its builder. The sizes decide how the game
// plays: the avatar's ball has radius 0.2, gravity is 98, models face +Z with +Y up.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mesh.h"

struct ModelAsset {
    std::string name;  // the file is models/<name>.ms3d
    std::function<void(Mesh&)> build;
};

const std::vector<ModelAsset>& PlayerModels();  // the ball, its mask and guns, projectiles
const std::vector<ModelAsset>& WorldModels();   // rings, doors, items, the spawn pedestal
const std::vector<ModelAsset>& EnemyModels();   // the four cube enemies and their trigger
const std::vector<ModelAsset>& LevelPieces();   // the pieces a level file places

// Writes all of them below `modelsDir`; false with `error` set on the first failure.
bool WriteModels(const std::string& modelsDir, std::string& error);
