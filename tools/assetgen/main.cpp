// zorvan-assetgen OUTDIR: writes every model (OUTDIR/models/*.ms3d) and texture (OUTDIR/textures)
// that the game's code and data name. The output depends on nothing but this program: two runs
// write the same bytes.
#include <cstdio>
#include <string>

#include "models.h"
#include "textures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::string out = argv[1];
    std::string error;
    if (!WriteModels(out + "/models", error) || !WriteTextures(out + "/textures", error)) {
        std::fprintf(stderr, "zorvan-assetgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
