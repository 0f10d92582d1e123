// The sky box: a large textured cube drawn around the eye at the start of every frame, so the
// level seems surrounded by a distant sky. It writes depth, so its half edge must exceed the
// visible extent of the level and the sun's distance.
#pragma once

#include <cstdint>

class SkyBox {
public:
    // Loads the six faces "z+.bmp", "z-.bmp", "x-.bmp", "x+.bmp", "y+.bmp", "y-.bmp" from the
    // folder prefix, which ends in a backslash.
    SkyBox(float edgeLength, const char* folderPrefix);
    void Draw(float x, float y, float z);
    void ReloadTextures(const char* folderPrefix, bool bilinear, bool mipmap);
    void cleanUp() {}

    static constexpr int kFaces = 6;
    // The faces' file names in the folder, in drawing order.
    static constexpr const char* kFaceFiles[kFaces] = {"z+.bmp", "z-.bmp", "x-.bmp",
                                                       "x+.bmp", "y+.bmp", "y-.bmp"};
    float corners[8][3];
    uint32_t textures[kFaces];

private:
    void LoadTextures(const char* folderPrefix, bool bilinear, bool mipmap);
};
