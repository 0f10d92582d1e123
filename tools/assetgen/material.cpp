#include "material.h"

Ms3dMaterial ToMs3d(const MaterialLook& look) {
    Ms3dMaterial m;
    m.name = look.name;
    const Rgb& c = look.colour;
    m.ambient = {c.r * look.ambient, c.g * look.ambient, c.b * look.ambient, 1};
    m.diffuse = {c.r, c.g, c.b, 1};
    m.specular = {look.specular, look.specular, look.specular, 1};
    m.emissive = {0, 0, 0, 1};
    m.shininess = look.shininess;
    m.transparency = 1;
    if (look.texture != nullptr) m.texture = std::string("..\\textures\\") + look.texture;
    return m;
}
