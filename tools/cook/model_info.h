// `zorvan-cook info`: what a MilkShape file holds, as one JSON object.
#pragma once

#include <string>

#include "render/ms3d_file.h"

// The JSON text for `path`, or false with `error` set for a file the game's reader rejects.
bool DescribeModel(const std::string& path, std::string& json, std::string& error);

// The error for a file that the game's reader rejected, saying where the file breaks.
std::string UnreadableModel(const std::string& path, const CMS3DFile::ReadReport& read);
