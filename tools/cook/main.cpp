// zorvan-cook, the modders' tool for MilkShape models: cooks them into collision files, describes
// and previews them, and checks a level file with everything it names (see kCook's usage).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cook/check_level.h"
#include "cook/cook_mesh.h"
#include "cook/model_info.h"
#include "cook/preview.h"

namespace {

const Program kCook = {
    "zorvan-cook",
    "usage: zorvan-cook FILE.ms3d...                  write FILE.convex and FILE.concave beside\n"
    "                                                 each model\n"
    "       zorvan-cook info FILE.ms3d                what the file holds, as one JSON object\n"
    "       zorvan-cook preview OUT.png FILE.ms3d...  a contact sheet of the models drawn by the\n"
    "                                                 game's renderer (needs a display)\n"
    "       zorvan-cook check [LEVELFILE]             check a level file and every file it names,\n"
    "                                                 from the game's folder (default\n"
    "                                                 data/level1.ini); exit 1 if the game would stop\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Exit status: 0 when everything was done, 1 when a file could not be read or written, 2 for\n"
    "a command line it cannot use.\n"};

[[noreturn]] void Misuse(const char* what) {
    Refuse(kCook, std::string(what) + " (zorvan-cook --help)");
}

int Fail(const std::string& error) {
    std::fprintf(stderr, "zorvan-cook: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    AnswerHelpAndVersion(kCook, argc, argv);
    for (int i = 1; i < argc; ++i)
        if (IsOption(argv[i])) RefuseOption(kCook, argv[i]);
    if (argc < 2) Misuse("names no model file");
    std::string error;
    if (std::strcmp(argv[1], "info") == 0) {
        if (argc != 3) Misuse("info takes one model file");
        std::string json;
        if (!DescribeModel(argv[2], json, error)) return Fail(error);
        std::printf("%s\n", json.c_str());
        return 0;
    }
    if (std::strcmp(argv[1], "check") == 0) {
        if (argc > 3) Misuse("check takes at most one level file");
        return CheckLevelAndFiles(argc == 3 ? argv[2] : "data/level1.ini");
    }
    if (std::strcmp(argv[1], "preview") == 0) {
        if (argc < 4) Misuse("preview takes the picture's file and at least one model file");
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
