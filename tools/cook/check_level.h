// `zorvan-cook check`: the game's checks of a level file and of everything it names, without a
// window.
#pragma once

// Prints each problem of the level file on one line and returns the exit code: 1 when the game
// could not start with it, else 0. Paths in the level file are taken from the current folder,
// so it runs from the game's folder.
int CheckLevelAndFiles(const char* levelFile);
