// The profile reader and the typed readers on any INI text, asked for every section and key
// name that the text holds (and a few it does not).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "fuzz_file.h"
#include "platform/profile.h"

namespace {

// Names between '[' and ']' and before '=', as the text spells them.
std::vector<std::string> NamesIn(const std::string& text) {
    std::vector<std::string> names = {"", "game", "level", "matrix1"};
    size_t lineStart = 0;
    while (lineStart < text.size() && names.size() < 24) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        const std::string line = text.substr(lineStart, lineEnd - lineStart);
        size_t open = line.find('['), close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && close > open)
            names.push_back(line.substr(open + 1, close - open - 1));
        size_t equals = line.find('=');
        if (equals != std::string::npos) names.push_back(line.substr(0, equals));
        lineStart = lineEnd + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("settings.ini", data, size);
    const std::vector<std::string> names =
        NamesIn(std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : names) {
        for (const std::string& key : names) {
            const char *s = section.c_str(), *k = key.c_str(), *f = path.c_str();
            char small[4], text[512];
            // The answer always fits the buffer with its terminator.
            if (GetPrivateProfileStringA(s, k, "default", small, sizeof small, f) >= sizeof small)
                std::abort();
            ReadString(f, s, k, text, sizeof text);
            ReadInt(f, s, k);
            ReadBool(f, s, k);
            ReadFloat(f, s, k);
            ReadVec4(f, s, k);
            std::unique_ptr<float[]> matrix(ReadMatrix(f, s, k));
        }
    }
    return 0;
}
