// Every picture the game loads, painted procedurally: the materials' JPEG textures, the lens
// flare, crosshair and HUD pictures, the particle sheet and the six sky box faces.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "paint.h"

struct TextureAsset {
    const char* file;  // path under textures/
    int width, height;
    Painter paint;
};

// The pictures painted texel by texel from (u, v).
const std::vector<TextureAsset>& SurfaceTextures();    // materials of level pieces and weapons
const std::vector<TextureAsset>& CharacterTextures();  // the ball, enemies and item labels
const std::vector<TextureAsset>& EffectTextures();     // lens flare, crosshairs, HUD

// The particle sheet "sprites.bmp": a 4 x 4 grid of 64-pixel cells, cell N at column N % 4 and
// row N / 4 from the top, each on black with a black border.
Image PaintSpriteSheet();

// The six sky box faces, in the order the sky box loads them.
struct SkyFace {
    const char* file;  // "z+.bmp" and so on
    Image image;
};
std::vector<SkyFace> PaintSky(int size);

// Writes all of them below `texturesDir`; false with `error` set on the first failure.
bool WriteTextures(const std::string& texturesDir, std::string& error);
