// Builds MilkShape 3D model files byte by byte for the tests, with every count and index under
// the test's control (including out-of-range ones that real files contain).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/ms3d_types.h"

struct BuilderJoint {
    std::string name, parent;
    std::vector<ms3d_keyframe_rot_t> rotationKeys;
    std::vector<ms3d_keyframe_pos_t> positionKeys;
};

class Ms3dBuilder {
public:
    int AddVertex(float x, float y, float z);
    // A triangle with the corners' normals all (0, 0, 1) and texture coordinates (0, 0), (1, 0),
    // (0, 1); the group byte is written as given, in range or not.
    int AddTriangle(uint16_t a, uint16_t b, uint16_t c, uint8_t group);
    // A group lists the triangles whose group byte names it, in triangle order.
    int AddGroup(const char* name, int8_t material);
    // A material with the given diffuse colour, ambient a fifth of it, no specular.
    int AddMaterial(const char* name, float r, float g, float b, const char* texture = "");
    void AddJoint(BuilderJoint joint) { joints_.push_back(std::move(joint)); }
    // Two triangles spanning x0..x1, y0..y1 at depth z, counter-clockwise seen from +z.
    void AddQuad(float x0, float y0, float x1, float y1, float z, uint8_t group);

    ms3d_triangle_t& Triangle(int index) { return triangles_[index]; }
    ms3d_material_t& Material(int index) { return materials_[index]; }

    // The file's bytes; `trailing` is appended after the last joint.
    std::string Bytes(int32_t version = 4, const std::string& trailing = "") const;

private:
    struct Group {
        std::string name;
        int8_t material;
    };
    std::vector<ms3d_vertex_t> vertices_;
    std::vector<ms3d_triangle_t> triangles_;
    std::vector<Group> groups_;
    std::vector<ms3d_material_t> materials_;
    std::vector<BuilderJoint> joints_;
};
