// model-bench: the game's model reader against the Asset Importer library's import of the same
// MilkShape 3D files (no post-processing asked for) and against only reading the files' bytes.
// The three sides take turns on each file, round after round, and each keeps its median; small
// files are loaded many times per round so that a round lasts long enough to time. A
// measurement, not a test: the Asset Importer is needed by this program only.
//
//   model-bench [--detail] FILE.ms3d...
//
// Prints the worst ratios and the totals, and with --detail one line per file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/ms3d_file.h"

namespace {

constexpr int kRounds = 15;
constexpr size_t kBytesPerRound = 4 << 20;  // small files are read this many bytes' worth

bool ReadBytes(const char* path) {
    int fd = open(path, O_RDONLY);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    if (ok) {
        std::unique_ptr<char[]> bytes(new char[info.st_size]);
        ok = read(fd, bytes.get(), info.st_size) == info.st_size;
    }
    close(fd);
    return ok;
}

bool OurReader(const char* path) {
    CMS3DFile file;
    return file.Load(path);
}

bool AssetImporter(const char* path) {
    Assimp::Importer importer;
    return importer.ReadFile(path, 0) != nullptr;
}

// Microseconds per load, as the median of the rounds.
struct FileFigures {
    std::string name;
    size_t bytes = 0;
    double ours = 0, importer = 0, read = 0;
    bool oursRead = false, importerRead = false;
};

FileFigures Measure(const std::string& path) {
    FileFigures f;
    f.name = std::filesystem::path(path).filename().string();
    f.bytes = std::filesystem::file_size(path);
    const int loads = static_cast<int>(std::max<size_t>(1, kBytesPerRound / (f.bytes + 4096)));
    const std::function<bool(const char*)> sides[] = {OurReader, AssetImporter, ReadBytes};
    std::vector<double> samples[3];
    bool read[3] = {};
    for (int round = 0; round < kRounds; ++round) {
        for (int s = 0; s < 3; ++s) {
            auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < loads; ++i) read[s] = sides[s](path.c_str());
            auto end = std::chrono::steady_clock::now();
            samples[s].push_back(std::chrono::duration<double, std::micro>(end - start).count() /
                                 loads);
        }
    }
    double* out[3] = {&f.ours, &f.importer, &f.read};
    for (int s = 0; s < 3; ++s) {
        std::sort(samples[s].begin(), samples[s].end());
        *out[s] = samples[s][kRounds / 2];
    }
    f.oursRead = read[0];
    f.importerRead = read[1];
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    bool detail = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--detail") == 0)
            detail = true;
        else
            files.push_back(argv[i]);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: model-bench [--detail] FILE.ms3d...\n");
        return 2;
    }
    std::vector<FileFigures> figures;
    for (const std::string& file : files) figures.push_back(Measure(file));

    if (detail) {
        std::printf("%-44s %9s %10s %10s %10s %9s %9s\n", "file", "bytes", "ours us", "importer",
                    "bytes us", "imp/ours", "ours/rd");
        for (const FileFigures& f : figures)
            std::printf("%-44s %9zu %10.1f %10.1f %10.1f %9.2f %9.2f%s%s\n", f.name.c_str(),
                        f.bytes, f.ours, f.importer, f.read, f.importer / f.ours, f.ours / f.read,
                        f.oursRead ? "" : "  (ours rejects it)",
                        f.importerRead ? "" : "  (importer rejects it)");
    }
    FileFigures total;
    const FileFigures* slowestAgainstImporter = &figures[0];
    const FileFigures* slowestAgainstRead = &figures[0];
    for (const FileFigures& f : figures) {
        total.ours += f.ours;
        total.importer += f.importer;
        total.read += f.read;
        if (f.importer / f.ours < slowestAgainstImporter->importer / slowestAgainstImporter->ours)
            slowestAgainstImporter = &f;
        if (f.ours / f.read > slowestAgainstRead->ours / slowestAgainstRead->read)
            slowestAgainstRead = &f;
    }
    std::printf(
        "model-bench: %zu files, total ours %.1f importer %.1f bytes %.1f us; importer/ours "
        "total %.2f worst %.2f (%s); ours/bytes total %.2f worst %.2f (%s)\n",
        figures.size(), total.ours, total.importer, total.read, total.importer / total.ours,
        slowestAgainstImporter->importer / slowestAgainstImporter->ours,
        slowestAgainstImporter->name.c_str(), total.ours / total.read,
        slowestAgainstRead->ours / slowestAgainstRead->read, slowestAgainstRead->name.c_str());
}
