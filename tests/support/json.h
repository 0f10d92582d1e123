// A minimal JSON reader for the runner's trace lines.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& key) const;  // Null when absent
    const Json& operator[](size_t index) const;
    bool has(const std::string& key) const { return fields.count(key) != 0; }
};

// Parses one JSON value; throws std::runtime_error on malformed text.
Json ParseJson(const std::string& text);
// Parses a trace: one JSON object per line.
std::vector<Json> ParseTrace(const std::string& text);
