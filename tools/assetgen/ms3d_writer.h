// Writes MilkShape 3D version 4 model files: vertices, triangles with per-corner normals and
// texture coordinates, groups, materials, the three animation values (24 frames per second) and
// no joints. Every byte written is defined, so equal models give equal files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/ms3d_types.h"

struct Ms3dGroup {
    std::string name;                 // at most 31 characters
    std::vector<uint16_t> triangles;  // indices into the model's triangles
    int8_t material = -1;             // index into the model's materials, -1 for none
};

struct Ms3dMaterial {
    std::string name;  // at most 31 characters
    std::array<float, 4> ambient{0.2f, 0.2f, 0.2f, 1};
    std::array<float, 4> diffuse{0.8f, 0.8f, 0.8f, 1};
    std::array<float, 4> specular{0, 0, 0, 1};
    std::array<float, 4> emissive{0, 0, 0, 1};
    float shininess = 0;     // 0 to 128
    float transparency = 1;  // 1 is opaque
    std::string texture;     // e.g. "..\textures\name.jpg"; empty for none; at most 127 characters
};

struct Ms3dModel {
    std::vector<ms3d_vertex_t> vertices;
    std::vector<ms3d_triangle_t> triangles;  // groupIndex names the group
    std::vector<Ms3dGroup> groups;
    std::vector<Ms3dMaterial> materials;
};

// The file's bytes, or false with `error` set when the model cannot be written as it is: a count
// beyond the format's 16-bit (groups: 8-bit, materials: 7-bit) limits, an index out of range, a
// name that does not fit its field.
bool EncodeMs3d(const Ms3dModel& model, std::vector<uint8_t>& bytes, std::string& error);

// EncodeMs3d, then the bytes to `path`.
bool WriteMs3d(const Ms3dModel& model, const std::string& path, std::string& error);
