// Helpers shared by the shape kit's files: placing corners and sweeping parametric surfaces.
#pragma once

#include "mesh.h"
#include "vec3.h"

inline Corner Place(const Transform& at, Corner c) {
    c.position = at.point(c.position);
    c.normal = at.direction(c.normal);
    return c;
}

// The angle of a turn by the fraction u; the last corner of a loop (u = 1) lands exactly on the
// first, so the loop closes in one vertex.
inline float LoopAngle(float u) {
    return u >= 1.0f ? 0.0f : 2 * kPi * u;
}

// A texture coordinate for a distance along a face: repeats every `tile` units, or spans the
// face's `extent` once when tile is 0.
inline float TexCoord(float distance, float extent, float tile) {
    return tile > 0 ? distance / tile : distance / extent;
}

// Sweeps the surface cornerAt(u, v), u and v in [0, 1], as an nu x nv grid of quads. Rings that
// collapse to a point (poles, tips, the centre of a disc) leave only their proper triangles.
template <typename CornerAt>
void AddGrid(Mesh& mesh, const Transform& at, int nu, int nv, CornerAt cornerAt) {
    auto corner = [&](int i, int j) {
        return Place(at, cornerAt(static_cast<float>(i) / nu, static_cast<float>(j) / nv));
    };
    for (int j = 0; j < nv; ++j)
        for (int i = 0; i < nu; ++i)
            mesh.addQuad(corner(i, j), corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1));
}
