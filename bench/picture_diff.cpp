// picture-diff: how far two pictures of the same size differ, as a change to the drawing should
// leave the game's screenshots: the largest difference of any channel of any pixel, and how many
// pixels differ at all. Prints one line per pair; exit code 1 when a pair differs by more than
// --tolerance (0 by default) or cannot be compared.
//
//   picture-diff [--tolerance N] A.png B.png [A2.png B2.png ...]
#include <IL/il.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

bool Load(const char* file, Picture& picture) {
    ILuint image = ilGenImage();
    ilBindImage(image);
    bool ok = ilLoadImage(file) && ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    if (ok) {
        picture.width = ilGetInteger(IL_IMAGE_WIDTH);
        picture.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const unsigned char* data = ilGetData();
        picture.rgb.assign(data, data + size_t(picture.width) * picture.height * 3);
    }
    ilDeleteImage(image);
    return ok;
}

// Prints the comparison of one pair; true when it is within the tolerance.
bool Compare(const char* fileA, const char* fileB, int tolerance) {
    Picture a, b;
    if (!Load(fileA, a) || !Load(fileB, b)) {
        std::printf("%s %s: cannot read both pictures\n", fileA, fileB);
        return false;
    }
    if (a.width != b.width || a.height != b.height) {
        std::printf("%s %s: %dx%d against %dx%d\n", fileA, fileB, a.width, a.height, b.width,
                    b.height);
        return false;
    }
    int largest = 0;
    long differing = 0;
    for (size_t pixel = 0; pixel < a.rgb.size(); pixel += 3) {
        int here = 0;
        for (int c = 0; c < 3; ++c)
            here = std::max(here, std::abs(a.rgb[pixel + c] - b.rgb[pixel + c]));
        largest = std::max(largest, here);
        differing += here != 0;
    }
    std::printf("%s: largest difference %d, %ld of %d pixels differ\n", fileB, largest, differing,
                a.width * a.height);
    return largest <= tolerance;
}

}  // namespace

int main(int argc, char** argv) {
    int tolerance = 0;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--tolerance") == 0) {
        tolerance = std::atoi(argv[2]);
        first = 3;
    }
    if (argc - first < 2 || (argc - first) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: picture-diff [--tolerance N] A.png B.png [A2.png B2.png ...]\n");
        return 2;
    }
    ilInit();
    bool within = true;
    for (int i = first; i < argc; i += 2)
        within = Compare(argv[i], argv[i + 1], tolerance) && within;
    return within ? 0 : 1;
}
