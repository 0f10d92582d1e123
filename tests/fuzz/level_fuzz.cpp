// The level file's checks on any text: they run before the window opens, so they must take any
// file, and one that passes them places every object at finite coordinates.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/level_check.h"
#include "core/settings.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("level1.ini", data, size);
    const char* file = path.c_str();
    for (const LevelProblem& problem : CheckLevelFile(file))
        if (problem.fatal) return 0;
    for (const CountedSection& counted : kCountedSections) {
        const int32_t count = ReadInt(file, counted.countSection, counted.countKey);
        for (int i = 1; i <= count; ++i) {
            char key[32];
            std::snprintf(key, sizeof key, "matrix%i", i);
            std::unique_ptr<float[]> m(ReadMatrix(file, counted.section, key));
            for (int e = 0; e < 16; ++e)
                if (!std::isfinite(m[e])) std::abort();
        }
    }
    return 0;
}
