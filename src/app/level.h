// The level: data\level1.ini describes the models with their placement and physics, the enemies,
// rings and doors, and the sky box. LoadModels builds the whole world from it once at start-up;
// UnloadModels takes it down at exit.
#pragma once

constexpr const char* kLevelFile = "data\\level1.ini";

// Stops the game before the window opens when a count of the level file is missing, negative or
// beyond what a level can hold, naming the key.
void CheckLevelCounts();
// Stops the game before the window opens on a placement matrix that is missing or holds a
// number that is not finite, naming the file, section and key; warns of one beyond the world's
// bounds.
void CheckLevelPlacements();

void LoadModels();
void UnloadModels();
