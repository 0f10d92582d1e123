// Builds one model: triangles with per-corner normals and texture coordinates, collected into one
// group per material. Corners at the same position share one vertex, so the triangles of a closed
// part form a closed mesh (every edge shared by two triangles), whatever its normals and texture
// seams.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "material.h"
#include "ms3d_writer.h"
#include "vec3.h"

struct Corner {
    Vec3 position;
    Vec3 normal;         // unit, pointing out of the solid
    float s = 0, t = 0;  // t counts from the top of the image
};

class Mesh {
public:
    // The triangles added from now on use this material (their group is named after it).
    void use(const MaterialLook& material);
    // Adds a triangle, winding it counter-clockwise seen from the side its normals point to.
    // Triangles whose corners meet in one vertex or that have no area are left out (the poles of
    // a sphere, the tip of a cone).
    void addTriangle(const Corner& a, const Corner& b, const Corner& c);
    void addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d);

    const std::vector<Vec3>& positions() const { return positions_; }
    Ms3dModel toMs3d() const;

private:
    uint16_t vertexAt(Vec3 p);

    struct Triangle {
        std::array<uint16_t, 3> vertex;
        std::array<Corner, 3> corner;
        int group;
    };
    struct Group {
        const MaterialLook* material;
        std::vector<uint16_t> triangles;
    };

    std::vector<Vec3> positions_;
    std::map<std::array<int64_t, 3>, uint16_t> vertexIndex_;  // by position on a fine grid
    std::vector<Triangle> triangles_;
    std::vector<Group> groups_;
    int current_ = -1;
};
