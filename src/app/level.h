// The level: data\level1.ini describes the models with their placement and physics, the enemies,
// rings and doors, and the sky box. LoadModels builds the whole world from it once at start-up;
// UnloadModels takes it down at exit.
#pragma once

constexpr const char* kLevelFile = "data\\level1.ini";

// Runs the checks of the level file once the physics SDK exists and before the window opens:
// warns of each problem the game can run with and stops the game at the first one it cannot
// (see CheckLevelFile).
void CheckLevel();

void LoadModels();
void UnloadModels();
