#include "ms3d_builder.h"

#include <algorithm>
#include <cstring>

namespace {

template <class T>
void Put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Copies text into a zero-filled fixed-size field, cut to its size: the format needs no
// terminator.
template <size_t N>
void SetField(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.data(), std::min(text.size(), N));
}

void PutName(std::string& out, const std::string& name) {
    char field[32] = {};
    SetField(field, name);
    out.append(field, sizeof field);
}

}  // namespace

int Ms3dBuilder::AddVertex(float x, float y, float z) {
    ms3d_vertex_t vertex{};
    vertex.vertex[0] = x;
    vertex.vertex[1] = y;
    vertex.vertex[2] = z;
    vertex.boneId = -1;
    vertices_.push_back(vertex);
    return static_cast<int>(vertices_.size()) - 1;
}

int Ms3dBuilder::AddTriangle(uint16_t a, uint16_t b, uint16_t c, uint8_t group) {
    ms3d_triangle_t triangle{};
    triangle.vertexIndices[0] = a;
    triangle.vertexIndices[1] = b;
    triangle.vertexIndices[2] = c;
    for (int corner = 0; corner < 3; ++corner) triangle.vertexNormals[corner][2] = 1.0f;
    triangle.s[1] = 1.0f;
    triangle.t[2] = 1.0f;
    triangle.smoothingGroup = 1;
    triangle.groupIndex = group;
    triangles_.push_back(triangle);
    return static_cast<int>(triangles_.size()) - 1;
}

int Ms3dBuilder::AddGroup(const char* name, int8_t material) {
    groups_.push_back({name, material});
    return static_cast<int>(groups_.size()) - 1;
}

int Ms3dBuilder::AddMaterial(const char* name, float r, float g, float b, const char* texture) {
    ms3d_material_t material{};
    SetField(material.name, name);
    const float diffuse[4] = {r, g, b, 1.0f};
    const float ambient[4] = {r / 5, g / 5, b / 5, 1.0f};
    std::memcpy(material.diffuse, diffuse, sizeof diffuse);
    std::memcpy(material.ambient, ambient, sizeof ambient);
    material.specular[3] = 1.0f;
    material.transparency = 1.0f;
    SetField(material.texture, texture);
    materials_.push_back(material);
    return static_cast<int>(materials_.size()) - 1;
}

void Ms3dBuilder::AddQuad(float x0, float y0, float x1, float y1, float z, uint8_t group) {
    uint16_t a = AddVertex(x0, y0, z), b = AddVertex(x1, y0, z), c = AddVertex(x1, y1, z),
             d = AddVertex(x0, y1, z);
    AddTriangle(a, b, c, group);
    AddTriangle(a, c, d, group);
}

std::string Ms3dBuilder::Bytes(int32_t version, const std::string& trailing) const {
    std::string out = "MS3D000000";
    Put(out, version);
    Put(out, static_cast<uint16_t>(vertices_.size()));
    for (const ms3d_vertex_t& vertex : vertices_) Put(out, vertex);
    Put(out, static_cast<uint16_t>(triangles_.size()));
    for (const ms3d_triangle_t& triangle : triangles_) Put(out, triangle);

    Put(out, static_cast<uint16_t>(groups_.size()));
    for (size_t g = 0; g < groups_.size(); ++g) {
        std::vector<uint16_t> members;
        for (size_t t = 0; t < triangles_.size(); ++t)
            if (triangles_[t].groupIndex == g) members.push_back(static_cast<uint16_t>(t));
        Put(out, uint8_t{0});
        PutName(out, groups_[g].name);
        Put(out, static_cast<uint16_t>(members.size()));
        for (uint16_t member : members) Put(out, member);
        Put(out, groups_[g].material);
    }

    Put(out, static_cast<uint16_t>(materials_.size()));
    for (const ms3d_material_t& material : materials_) Put(out, material);
    Put(out, 24.0f);  // frames per second
    Put(out, 0.0f);   // current time
    Put(out, int32_t{30});

    Put(out, static_cast<uint16_t>(joints_.size()));
    for (const BuilderJoint& joint : joints_) {
        Put(out, uint8_t{0});
        PutName(out, joint.name);
        PutName(out, joint.parent);
        for (int i = 0; i < 6; ++i) Put(out, 0.0f);  // rotation, position
        Put(out, static_cast<uint16_t>(joint.rotationKeys.size()));
        Put(out, static_cast<uint16_t>(joint.positionKeys.size()));
        for (const ms3d_keyframe_rot_t& key : joint.rotationKeys) Put(out, key);
        for (const ms3d_keyframe_pos_t& key : joint.positionKeys) Put(out, key);
    }
    return out + trailing;
}
