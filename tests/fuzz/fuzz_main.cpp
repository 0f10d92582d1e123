// Runs a fuzz target once on each file named on the command line (or in a folder named there),
// for the suite: every input that once broke a reader stays a test. Fuzzing itself links the
// targets with libFuzzer instead (./fuzz.sh).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", path.c_str());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) Run(entry.path()), ++inputs;
        } else {
            Run(argv[i]);
            ++inputs;
        }
    }
    std::fprintf(stderr, "%d inputs passed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
