// The MilkShape writer: the exact byte layout of a version 4 file and what it refuses to write.
#include "ms3d_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ms3d_bytes.h"

namespace {

template <typename T>
T At(const std::vector<uint8_t>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// One triangle in one group with one textured material.
Ms3dModel OneTriangle() {
    Ms3dModel model;
    for (int i = 0; i < 3; ++i) {
        ms3d_vertex_t v{};
        v.vertex[0] = static_cast<float>(i);
        v.vertex[1] = 2.0f * i;
        v.boneId = -1;
        v.referenceCount = 1;
        model.vertices.push_back(v);
    }
    ms3d_triangle_t t{};
    t.vertexIndices[0] = 0;
    t.vertexIndices[1] = 1;
    t.vertexIndices[2] = 2;
    t.s[1] = 0.5f;
    t.t[2] = 0.75f;
    t.vertexNormals[2][2] = 1;
    model.triangles.push_back(t);
    model.groups.push_back({"panel", {0}, 0});
    Ms3dMaterial material;
    material.name = "steel";
    material.shininess = 64;
    material.texture = "..\\textures\\steel.jpg";
    model.materials.push_back(material);
    return model;
}

TEST(Ms3dWriter, LaysOutEverySectionByteForByte) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeMs3d(OneTriangle(), bytes, error)) << error;

    const size_t vertices = 16, triangles = vertices + 3 * 15 + 2;
    const size_t groups = triangles + 70 + 2;
    const size_t materials = groups + 1 + 32 + 2 + 2 + 1 + 2;
    const size_t animation = materials + 361;
    ASSERT_EQ(bytes.size(), animation + 4 + 4 + 4 + 2);

    EXPECT_EQ(std::memcmp(bytes.data(), "MS3D000000", 10), 0);
    EXPECT_EQ(At<int32_t>(bytes, 10), 4);
    EXPECT_EQ(At<uint16_t>(bytes, 14), 3);
    EXPECT_EQ(At<int8_t>(bytes, vertices + 15 + 13), -1);      // bone of vertex 1
    EXPECT_EQ(At<float>(bytes, vertices + 2 * 15 + 5), 4.0f);  // y of vertex 2
    EXPECT_EQ(At<uint16_t>(bytes, triangles - 2), 1);
    EXPECT_EQ(At<uint16_t>(bytes, triangles + 6), 2);        // corner 2
    EXPECT_EQ(At<float>(bytes, triangles + 8 + 32), 1.0f);   // normal z of corner 2
    EXPECT_EQ(At<float>(bytes, triangles + 44 + 4), 0.5f);   // s of corner 1
    EXPECT_EQ(At<float>(bytes, triangles + 56 + 8), 0.75f);  // t of corner 2
    EXPECT_EQ(At<uint8_t>(bytes, triangles + 69), 0);        // group
    EXPECT_EQ(At<uint16_t>(bytes, groups - 2), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[groups + 1]), "panel");
    EXPECT_EQ(At<uint16_t>(bytes, groups + 33), 1);
    EXPECT_EQ(At<int8_t>(bytes, groups + 37), 0);  // material of the group
    EXPECT_EQ(At<uint16_t>(bytes, materials - 2), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[materials]), "steel");
    EXPECT_EQ(At<float>(bytes, materials + 96), 64.0f);
    EXPECT_EQ(At<float>(bytes, materials + 100), 1.0f);  // opaque
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[materials + 105]), "..\\textures\\steel.jpg");
    EXPECT_EQ(bytes[materials + 232], 0);  // the path field is zero-padded
    EXPECT_EQ(At<float>(bytes, animation), 24.0f);
    EXPECT_EQ(At<float>(bytes, animation + 4), 0.0f);
    EXPECT_EQ(At<int32_t>(bytes, animation + 8), 0);
    EXPECT_EQ(At<uint16_t>(bytes, animation + 12), 0);  // no joints

    ParsedModel parsed;
    ASSERT_TRUE(ParseMs3d(bytes, parsed, error)) << error;
    EXPECT_EQ(parsed.groups[0].triangles, std::vector<uint16_t>{0});
}

TEST(Ms3dWriter, WritesAnEmptyModelAsCountsOnly) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeMs3d({}, bytes, error));
    EXPECT_EQ(bytes.size(), 14u + 2 + 2 + 2 + 2 + 12 + 2);
}

TEST(Ms3dWriter, RefusesModelsItCannotWriteFaithfully) {
    std::vector<uint8_t> bytes;
    std::string error;
    auto refuses = [&](const Ms3dModel& model) { return !EncodeMs3d(model, bytes, error); };

    Ms3dModel corner = OneTriangle();
    corner.triangles[0].vertexIndices[2] = 3;
    EXPECT_TRUE(refuses(corner));
    Ms3dModel group = OneTriangle();
    group.triangles[0].groupIndex = 1;
    EXPECT_TRUE(refuses(group));
    Ms3dModel listed = OneTriangle();
    listed.groups[0].triangles = {1};
    EXPECT_TRUE(refuses(listed));
    Ms3dModel material = OneTriangle();
    material.groups[0].material = 1;
    EXPECT_TRUE(refuses(material));
    Ms3dModel name = OneTriangle();
    name.groups[0].name = std::string(32, 'g');
    EXPECT_TRUE(refuses(name));
    Ms3dModel texture = OneTriangle();
    texture.materials[0].texture = std::string(128, 't');
    EXPECT_TRUE(refuses(texture));
    Ms3dModel many = OneTriangle();
    many.vertices.resize(65536);
    EXPECT_TRUE(refuses(many));

    Ms3dModel untextured = OneTriangle();
    untextured.groups[0].material = -1;
    EXPECT_TRUE(EncodeMs3d(untextured, bytes, error)) << error;
}

}  // namespace
