// How a surface looks: one line per material in the catalogue (materials.cpp).
#pragma once

#include "colour.h"
#include "ms3d_writer.h"

struct MaterialLook {
    const char* name;
    Rgb colour;           // diffuse colour; white-ish for textured materials
    float ambient;        // ambient colour = colour x this
    float specular;       // grey specular level
    float shininess;      // 0 to 128
    const char* texture;  // file name under textures\, or nullptr for none
};

// The file record: the game lights models with one white directional light and OpenGL's default
// global ambient of 0.2, so faces turned away from the light show 0.2 x the ambient colour; the
// looks therefore use ambient factors above 1 to keep those faces readable.
Ms3dMaterial ToMs3d(const MaterialLook& look);
