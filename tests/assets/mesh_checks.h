// Geometry checks on triangle meshes given as positions and corner index triples.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/ms3d_types.h"
#include "vec3.h"

using Point = Vec3;

struct TriangleMesh {
    std::vector<Point> points;
    std::vector<std::array<uint32_t, 3>> triangles;
};

TriangleMesh FromRecords(const std::vector<ms3d_vertex_t>& vertices,
                         const std::vector<ms3d_triangle_t>& triangles);

// Empty when every edge is shared by exactly two triangles that run along it in opposite
// directions (a closed, consistently wound surface); otherwise a description of the first fault.
std::string ClosedSurfaceFault(const TriangleMesh& mesh);

// The enclosed volume by the divergence theorem: positive when triangles wind counter-clockwise
// seen from outside.
double SignedVolume(const TriangleMesh& mesh);

struct Bounds {
    Point min, max;
    double size(int axis) const;
};
Bounds BoundsOf(const TriangleMesh& mesh);
