// Game paths: the game writes Windows paths ("models\%s.ms3d"); every file it opens goes through
// here, so backslashes become slashes and names match case-insensitively as on Windows.
#pragma once

#include <cstdio>
#include <string>

// The host path for a game path: `\` mapped to `/`, and where the exact name does not exist, each
// component resolved by a case-insensitive match in its folder. A path with no match on disk
// comes back with only the separators mapped.
std::string GamePath(const char* path);

// fopen on the host path of a game path.
FILE* GameOpen(const char* path, const char* mode);

// Reads a whole file in text mode as Windows would: CRLF arrives as LF. False when it cannot be
// opened.
bool GameReadText(const char* path, std::string& text);
