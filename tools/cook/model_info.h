// `zorvan-cook info`: what a MilkShape file holds, as one JSON object.
#pragma once

#include <string>

// The JSON text for `path`, or false with `error` set for a file the game's reader rejects.
bool DescribeModel(const std::string& path, std::string& json, std::string& error);
