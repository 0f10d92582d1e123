// The runner's trace and the cooking tool's model information are JSON: one object per line.
#pragma once

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

using Json = nlohmann::json;

// One entry per non-empty line; throws on malformed text.
inline std::vector<Json> ParseTrace(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(Json::parse(line));
    return lines;
}
