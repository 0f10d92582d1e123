#include "mesh_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

double Bounds::size(int axis) const {
    return axis == 0 ? max.x - min.x : axis == 1 ? max.y - min.y : max.z - min.z;
}

TriangleMesh FromRecords(const std::vector<ms3d_vertex_t>& vertices,
                         const std::vector<ms3d_triangle_t>& triangles) {
    TriangleMesh mesh;
    for (const ms3d_vertex_t& v : vertices)
        mesh.points.push_back({v.vertex[0], v.vertex[1], v.vertex[2]});
    for (const ms3d_triangle_t& t : triangles)
        mesh.triangles.push_back({t.vertexIndices[0], t.vertexIndices[1], t.vertexIndices[2]});
    return mesh;
}

std::string ClosedSurfaceFault(const TriangleMesh& mesh) {
    std::map<std::pair<uint32_t, uint32_t>, int> directed;
    for (const auto& t : mesh.triangles)
        for (int k = 0; k < 3; ++k) ++directed[{t[k], t[(k + 1) % 3]}];
    for (const auto& [edge, count] : directed) {
        auto reverse = directed.find({edge.second, edge.first});
        int back = reverse == directed.end() ? 0 : reverse->second;
        if (count != 1 || back != 1)
            return "edge " + std::to_string(edge.first) + "-" + std::to_string(edge.second) +
                   " runs " + std::to_string(count) + " times one way and " + std::to_string(back) +
                   " times back";
    }
    return "";
}

double SignedVolume(const TriangleMesh& mesh) {
    double six = 0;
    for (const auto& t : mesh.triangles)
        six += Dot(mesh.points[t[0]], Cross(mesh.points[t[1]], mesh.points[t[2]]));
    return six / 6;
}

Bounds BoundsOf(const TriangleMesh& mesh) {
    Bounds b{mesh.points.at(0), mesh.points.at(0)};
    for (const Point& p : mesh.points) {
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    return b;
}
