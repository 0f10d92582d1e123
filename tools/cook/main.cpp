// zorvan-cook, the modders' tool for MilkShape models:
//   zorvan-cook FILE.ms3d...               writes FILE.convex and FILE.concave beside each model
//   zorvan-cook info FILE.ms3d             prints what the file holds as one JSON object
//   zorvan-cook preview OUT.png FILE.ms3d...  renders the models in a grid (needs a display)
//   zorvan-cook check [LEVELFILE]          checks a level file and all it names (run in the game's
//                                          folder; default data/level1.ini)
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cook/check_level.h"
#include "cook/cook_mesh.h"
#include "cook/model_info.h"
#include "cook/preview.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: zorvan-cook FILE.ms3d...\n"
                 "       zorvan-cook info FILE.ms3d\n"
                 "       zorvan-cook preview OUT.png FILE.ms3d...\n"
                 "       zorvan-cook check [LEVELFILE]   (default data/level1.ini)\n");
    return 2;
}

int Fail(const std::string& error) {
    std::fprintf(stderr, "zorvan-cook: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string error;
    if (std::strcmp(argv[1], "info") == 0) {
        if (argc != 3) return Usage();
        std::string json;
        if (!DescribeModel(argv[2], json, error)) return Fail(error);
        std::printf("%s\n", json.c_str());
        return 0;
    }
    if (std::strcmp(argv[1], "check") == 0) {
        if (argc > 3) return Usage();
        return CheckLevelAndFiles(argc == 3 ? argv[2] : "data/level1.ini");
    }
    if (std::strcmp(argv[1], "preview") == 0) {
        if (argc < 4) return Usage();
        std::vector<std::string> models(argv + 3, argv + argc);
        return RenderPreview(argv[2], models, error) ? 0 : Fail(error);
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i)
        if (!CookModel(argv[i], error)) {
            Fail(error);
            ++failures;
        }
    return failures == 0 ? 0 : 1;
}
