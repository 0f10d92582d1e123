// The game's icon for the desktop: the player's ball, lit from the top left, on a clear ground.
#pragma once

#include <string>

// Writes the 256 x 256 icon as a PNG file; false with `error` set when it cannot.
bool WriteIcon(const std::string& path, std::string& error);
