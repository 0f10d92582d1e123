// zorvan-assetgen OUTDIR: writes every model (OUTDIR/models/*.ms3d), texture (OUTDIR/textures) and
// sound (OUTDIR/sounds/*.wav) that the game's code and data name, and the desktop icon
// (OUTDIR/icons/zorvan.png). The output depends on nothing but this program: two runs write the
// same bytes.
#include <filesystem>
#include <string>

#include "cli/command_line.h"
#include "icon.h"
#include "models.h"
#include "sounds.h"
#include "textures.h"

namespace {

const Program kAssetgen = {
    "zorvan-assetgen",
    "usage: zorvan-assetgen OUTDIR\n"
    "\n"
    "Writes every model, texture and sound of the game into OUTDIR/models, OUTDIR/textures and\n"
    "OUTDIR/sounds, and the desktop icon into OUTDIR/icons/zorvan.png. The same program writes\n"
    "the same bytes.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"};

}  // namespace

int main(int argc, char** argv) {
    AnswerHelpAndVersion(kAssetgen, argc, argv);
    for (int i = 1; i < argc; ++i)
        if (IsOption(argv[i])) RefuseOption(kAssetgen, argv[i]);
    if (argc != 2) Refuse(kAssetgen, "takes one folder (zorvan-assetgen --help)");
    std::string out = argv[1];
    std::string error;
    std::error_code failed;
    std::filesystem::create_directories(out + "/icons", failed);
    if (failed) Refuse(kAssetgen, "cannot create " + out + "/icons: " + failed.message(), 1);
    if (!WriteModels(out + "/models", error) || !WriteTextures(out + "/textures", error) ||
        !WriteSounds(out + "/sounds", error) || !WriteIcon(out + "/icons/zorvan.png", error))
        Refuse(kAssetgen, error, 1);
    return 0;
}
