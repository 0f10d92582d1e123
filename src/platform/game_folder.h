// Where the game's folder lies (the one holding data/, models/ and textures/, which the game names
// relative to its working directory) and where its log goes when that folder is not writable.
#pragma once

#include <string>

// Finds the game's folder and makes it the working directory: `chosen` when given (--data DIR),
// else the executable's own folder when it holds data/game.ini (the build's stage folder), else
// <the executable's folder>/../share/zorvan (an installed game), else the working directory.
// False with `error` naming every folder tried when the one it settles on holds no
// data/game.ini.
bool EnterGameFolder(const char* chosen, std::string& error);

// The path of `name` in the player's state folder for the game, $XDG_STATE_HOME/zorvan (by
// default ~/.local/state/zorvan), created on the way; empty when there is none.
std::string StateFile(const char* name);
