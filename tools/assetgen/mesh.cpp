#include "mesh.h"

#include <cassert>
#include <cmath>

namespace {

// Positions closer than this are one vertex: parts meet exactly where their maths says they do.
constexpr double kWeldStep = 1e-5;
// Below this area (square units) a triangle is a sliver left over from a collapsed ring.
constexpr float kMinArea = 1e-10f;

}  // namespace

void Mesh::use(const MaterialLook& material) {
    for (size_t i = 0; i < groups_.size(); ++i)
        if (groups_[i].material == &material) {
            current_ = static_cast<int>(i);
            return;
        }
    groups_.push_back({&material, {}});
    current_ = static_cast<int>(groups_.size() - 1);
}

uint16_t Mesh::vertexAt(Vec3 p) {
    // A point may round into the cell next to its twin's, so the neighbouring cells are searched
    // as well.
    std::array<int64_t, 3> cell{std::llround(p.x / kWeldStep), std::llround(p.y / kWeldStep),
                                std::llround(p.z / kWeldStep)};
    for (int64_t dx = -1; dx <= 1; ++dx)
        for (int64_t dy = -1; dy <= 1; ++dy)
            for (int64_t dz = -1; dz <= 1; ++dz) {
                auto found = vertexIndex_.find({cell[0] + dx, cell[1] + dy, cell[2] + dz});
                if (found != vertexIndex_.end() &&
                    Length(positions_[found->second] - p) <= kWeldStep)
                    return found->second;
            }
    assert(positions_.size() < UINT16_MAX);
    auto index = static_cast<uint16_t>(positions_.size());
    positions_.push_back(p);
    vertexIndex_.emplace(cell, index);
    return index;
}

void Mesh::addTriangle(const Corner& a, const Corner& b, const Corner& c) {
    assert(current_ >= 0 && "use() a material first");
    Vec3 face = Cross(b.position - a.position, c.position - a.position);
    if (Length(face) * 0.5f < kMinArea) return;
    Triangle triangle{
        {vertexAt(a.position), vertexAt(b.position), vertexAt(c.position)}, {a, b, c}, current_};
    if (triangle.vertex[0] == triangle.vertex[1] || triangle.vertex[1] == triangle.vertex[2] ||
        triangle.vertex[2] == triangle.vertex[0])
        return;
    if (Dot(face, a.normal + b.normal + c.normal) < 0) {
        std::swap(triangle.vertex[1], triangle.vertex[2]);
        std::swap(triangle.corner[1], triangle.corner[2]);
    }
    groups_[current_].triangles.push_back(static_cast<uint16_t>(triangles_.size()));
    triangles_.push_back(triangle);
    assert(triangles_.size() <= UINT16_MAX);
}

void Mesh::addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

Ms3dModel Mesh::toMs3d() const {
    Ms3dModel model;
    std::vector<int> uses(positions_.size(), 0);
    for (const Triangle& t : triangles_)
        for (uint16_t v : t.vertex) ++uses[v];

    model.vertices.reserve(positions_.size());
    for (size_t i = 0; i < positions_.size(); ++i) {
        ms3d_vertex_t v{};
        v.vertex[0] = positions_[i].x;
        v.vertex[1] = positions_[i].y;
        v.vertex[2] = positions_[i].z;
        v.boneId = -1;
        v.referenceCount = static_cast<uint8_t>(std::min(uses[i], 255));
        model.vertices.push_back(v);
    }

    model.triangles.reserve(triangles_.size());
    for (const Triangle& t : triangles_) {
        ms3d_triangle_t record{};
        for (int k = 0; k < 3; ++k) {
            record.vertexIndices[k] = t.vertex[k];
            record.vertexNormals[k][0] = t.corner[k].normal.x;
            record.vertexNormals[k][1] = t.corner[k].normal.y;
            record.vertexNormals[k][2] = t.corner[k].normal.z;
            record.s[k] = t.corner[k].s;
            record.t[k] = t.corner[k].t;
        }
        record.smoothingGroup = 1;
        record.groupIndex = static_cast<uint8_t>(t.group);
        model.triangles.push_back(record);
    }

    for (size_t i = 0; i < groups_.size(); ++i) {
        model.materials.push_back(ToMs3d(*groups_[i].material));
        model.groups.push_back(
            {groups_[i].material->name, groups_[i].triangles, static_cast<int8_t>(i)});
    }
    return model;
}
