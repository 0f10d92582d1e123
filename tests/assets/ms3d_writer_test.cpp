// The MilkShape writer: files the game's reader reads back field for field, and what it refuses
// to write.
#include "ms3d_writer.h"

#include <gtest/gtest.h>

#include "render/ms3d_file.h"
#include "support/temp_dir.h"

namespace {

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

TEST(Ms3dWriter, WritesWhatTheGamesReaderReadsBack) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeMs3d(OneTriangle(), bytes, error)) << error;
    TempDir dir;
    std::string file = dir.write("one.ms3d", std::string(bytes.begin(), bytes.end()));
    CMS3DFile reader;
    ASSERT_TRUE(reader.Load(file.c_str()));
    ASSERT_EQ(reader.VertexCount(), 3);
    ASSERT_EQ(reader.TriangleCount(), 1);
    ASSERT_EQ(reader.GroupCount(), 1);
    ASSERT_EQ(reader.MaterialCount(), 1);
    EXPECT_EQ(reader.JointCount(), 0);
    EXPECT_EQ(reader.AnimationFps(), 24.0f);
    ms3d_vertex_t* v = nullptr;
    reader.VertexAt(2, &v);
    EXPECT_EQ(v->vertex[1], 4.0f);
    EXPECT_EQ(v->boneId, -1);
    ms3d_triangle_t* t = nullptr;
    reader.TriangleAt(0, &t);
    EXPECT_EQ(t->vertexIndices[2], 2);
    EXPECT_EQ(t->vertexNormals[2][2], 1.0f);
    EXPECT_EQ(t->s[1], 0.5f);
    EXPECT_EQ(t->t[2], 0.75f);
    ms3d_group_t* g = nullptr;
    reader.GroupAt(0, &g);
    EXPECT_STREQ(g->name, "panel");
    EXPECT_EQ(g->triangleIndices[0], 0);
    EXPECT_EQ(g->materialIndex, 0);
    ms3d_material_t* m = nullptr;
    reader.MaterialAt(0, &m);
    EXPECT_STREQ(m->name, "steel");
    EXPECT_EQ(m->shininess, 64.0f);
    EXPECT_EQ(m->transparency, 1.0f);  // opaque
    EXPECT_STREQ(m->texture, "..\\textures\\steel.jpg");
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
