#include "app/level_check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/settings.h"

namespace {

// More entries than any level holds; a larger count is a broken file, not a level.
constexpr int32_t kMaxCount = 100000;
// The world's bounding planes stand at x and z of -1000 and 1000.
constexpr float kWorldBound = 1000.0f;

struct Placed {
    const char* countSection;  // the loader asks for numModels under "Level"; names match any case
    const char* countKey;
    const char* section;  // where the entries' matrices are
};
constexpr Placed kPlaced[] = {{"Level", "numModels", "models"},
                              {"level", "numEnemies", "enemies"},
                              {"level", "numRings", "rings"},
                              {"level", "numDoors", "doors"}};

template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[400];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// The count, or -1 with a fatal problem added when it cannot be used.
int32_t CheckCount(const char* file, const Placed& placed, std::vector<LevelProblem>& problems) {
    int32_t value = ReadInt(file, placed.countSection, placed.countKey);
    if (value > 0 && value <= kMaxCount) return value;
    // A value that does not start with a number reads as 0: an empty level by mistake.
    char text[64];
    ReadString(file, placed.countSection, placed.countKey, text, sizeof text);
    char* end = text;
    std::strtol(text, &end, 10);
    if (value == 0 && end != text) return 0;
    if (value == NOT_FOUND_VALUE)
        problems.push_back({true, Format("Cannot start: %s has no key \"%s\" in section [level]",
                                         file, placed.countKey)});
    else if (value == 0)
        problems.push_back(
            {true, Format("Cannot start: %s: \"%s\" in section [level] is \"%s\", not a number",
                          file, placed.countKey, text)});
    else
        problems.push_back({true, Format("Cannot start: %s: \"%s\" in section [level] is %i, "
                                         "not a count from 0 to %i",
                                         file, placed.countKey, value, kMaxCount)});
    return -1;
}

void CheckMatrix(const char* file, const char* section, int index,
                 std::vector<LevelProblem>& problems) {
    char key[32], text[16];
    std::snprintf(key, sizeof key, "matrix%i", index);
    ReadString(file, section, key, text, sizeof text);
    if (std::strcmp(text, NOT_FOUND_TEXT) == 0) {
        problems.push_back({true, Format("Cannot start: %s has no key \"%s\" in section [%s]", file,
                                         key, section)});
        return;
    }
    std::unique_ptr<float[]> m(ReadMatrix(file, section, key));
    for (int i = 0; i < 16; ++i) {
        if (std::isfinite(m[i])) continue;
        problems.push_back({true, Format("Cannot start: %s: \"%s\" in section [%s] holds a number "
                                         "that is not finite",
                                         file, key, section)});
        return;
    }
    if (std::fabs(m[12]) > kWorldBound || std::fabs(m[14]) > kWorldBound)
        problems.push_back({false, Format("%s: \"%s\" in section [%s] places it at (%g, %g, %g), "
                                          "beyond the world's bounds at x and z of +-%g",
                                          file, key, section, m[12], m[13], m[14], kWorldBound)});
}

}  // namespace

std::vector<LevelProblem> CheckLevelFile(const char* file) {
    std::vector<LevelProblem> problems;
    int32_t counts[std::size(kPlaced)];
    for (size_t p = 0; p < std::size(kPlaced); ++p) {
        counts[p] = CheckCount(file, kPlaced[p], problems);
        if (counts[p] < 0) return problems;
    }
    for (size_t p = 0; p < std::size(kPlaced); ++p)
        for (int i = 1; i <= counts[p]; ++i) CheckMatrix(file, kPlaced[p].section, i, problems);
    return problems;
}
