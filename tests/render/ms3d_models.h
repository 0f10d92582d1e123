// Small models for the reading and drawing tests, written by the asset generator's writer. A test
// that needs a broken file patches the bytes afterwards: the records lie at fixed offsets.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ms3d_writer.h"

inline ms3d_vertex_t Vertex(float x, float y, float z) {
    return {0, {x, y, z}, -1, 0};
}

// The corners' normals all (0, 0, 1), their texture coordinates (0, 0), (1, 0), (0, 1).
inline ms3d_triangle_t Triangle(uint16_t a, uint16_t b, uint16_t c, uint8_t group) {
    return {0, {a, b, c}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}, {0, 1, 0}, {0, 0, 1}, 1, group};
}

// A material of one diffuse colour, its ambient a fifth of it.
inline Ms3dMaterial Coloured(const char* name, float r, float g, float b) {
    Ms3dMaterial material;
    material.name = name;
    material.diffuse = {r, g, b, 1};
    material.ambient = {r / 5, g / 5, b / 5, 1};
    return material;
}

// Two triangles spanning x0..x1, y0..y1 at depth z, counter-clockwise seen from +z, in `group`.
inline void AddQuad(Ms3dModel& model, float x0, float y0, float x1, float y1, float z,
                    uint8_t group) {
    const auto a = static_cast<uint16_t>(model.vertices.size());
    model.vertices.insert(model.vertices.end(), {Vertex(x0, y0, z), Vertex(x1, y0, z),
                                                 Vertex(x1, y1, z), Vertex(x0, y1, z)});
    for (ms3d_triangle_t t : {Triangle(a, a + 1, a + 2, group), Triangle(a, a + 2, a + 3, group)}) {
        model.groups[group].triangles.push_back(static_cast<uint16_t>(model.triangles.size()));
        model.triangles.push_back(t);
    }
}

inline std::string Ms3dBytes(const Ms3dModel& model) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(EncodeMs3d(model, bytes, error)) << error;
    return std::string(bytes.begin(), bytes.end());
}

// Where triangle `index` starts in the file of a model with `vertices` vertices.
constexpr size_t TriangleOffset(size_t vertices, size_t index) {
    return sizeof(ms3d_header_t) + 2 + vertices * sizeof(ms3d_vertex_t) + 2 +
           index * sizeof(ms3d_triangle_t);
}

template <class T>
void Patch(std::string& bytes, size_t at, T value) {
    std::memcpy(&bytes[at], &value, sizeof value);
}
