// An independent, strict reading of MilkShape 3D version 4 bytes for checking what the writer and
// the generator produce: every section is checked against the file's length, byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/ms3d_types.h"

struct ParsedGroup {
    std::string name;
    std::vector<uint16_t> triangles;
    int8_t material;
};

struct ParsedModel {
    std::vector<ms3d_vertex_t> vertices;
    std::vector<ms3d_triangle_t> triangles;
    std::vector<ParsedGroup> groups;
    std::vector<ms3d_material_t> materials;
    float fps = 0, currentTime = -1;
    int32_t totalFrames = -1;
    uint16_t joints = 0xFFFF;
};

// False with `error` set unless the bytes are exactly one version 4 file without joints whose
// indices all lie in range.
bool ParseMs3d(const std::vector<uint8_t>& bytes, ParsedModel& model, std::string& error);
bool ParseMs3dFile(const std::string& path, ParsedModel& model, std::string& error);
