// The model file reader: every section, the versions it takes, and where a broken file breaks.
#include "render/ms3d_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "ms3d_models.h"
#include "support/temp_dir.h"

namespace {

// A small model with something in every section: two triangles sharing a side, one written as
// corners (7, 2); two groups, a material, 30 frames and two joints, the first with keys.
std::string SmallModel(int32_t version = 4) {
    Ms3dModel model;
    for (int i = 0; i < 8; ++i) model.vertices.push_back(Vertex(float(i), float(i * i), -float(i)));
    model.triangles = {Triangle(0, 1, 2, 0), Triangle(2, 1, 3, 0), Triangle(7, 2, 5, 0)};
    model.groups = {{"body", {0, 1, 2}, 0}, {"empty", {}, -1}};
    model.materials = {Coloured("skin", 1, 0.5f, 0.25f)};
    model.materials[0].texture = "..\\textures\\skin.jpg";
    std::string bytes = Ms3dBytes(model);
    Patch(bytes, 10, version);
    bytes.resize(bytes.size() - 2);  // the writer's joint count: none
    Patch(bytes, bytes.size() - 4, int32_t{30});
    const struct {
        const char* name;
        const char* parent;
        std::vector<float> rotationKeys, positionKeys;  // time and three values each
    } joints[] = {{"root", "", {0.5f, 1, 2, 3}, {0.5f, 4, 5, 6, 1.0f, 7, 8, 9}},
                  {"arm", "root", {}, {}}};
    bytes.append({2, 0});
    for (const auto& joint : joints) {
        ms3d_joint_t head{};
        std::strcpy(head.name, joint.name);
        std::strcpy(head.parentName, joint.parent);
        head.numKeyFramesRot = static_cast<uint16_t>(joint.rotationKeys.size() / 4);
        head.numKeyFramesTrans = static_cast<uint16_t>(joint.positionKeys.size() / 4);
        bytes.append(reinterpret_cast<const char*>(&head), offsetof(ms3d_joint_t, keyFramesRot));
        for (const auto* keys : {&joint.rotationKeys, &joint.positionKeys})
            bytes.append(reinterpret_cast<const char*>(keys->data()), keys->size() * sizeof(float));
    }
    return bytes;
}

class Ms3dFileTest : public ::testing::Test {
protected:
    bool Load(const std::string& bytes) { return file.Load(dir.write("m.ms3d", bytes).c_str()); }
    TempDir dir;
    CMS3DFile file;
};

// Trailing data after the last joint is ignored.
TEST_F(Ms3dFileTest, ReadsEverySection) {
    ASSERT_TRUE(Load(SmallModel() + std::string("\x01\x00\x00\x00comment", 11)));
    EXPECT_EQ(file.LastRead().fileBytes - file.LastRead().readBytes, 11u);
    EXPECT_EQ(file.LastRead().brokenPart, nullptr);
    EXPECT_EQ(file.VertexCount(), 8);
    EXPECT_EQ(file.TriangleCount(), 3);
    EXPECT_EQ(file.GroupCount(), 2);
    EXPECT_EQ(file.MaterialCount(), 1);
    EXPECT_EQ(file.JointCount(), 2);
    EXPECT_FLOAT_EQ(file.AnimationFps(), 24.0f);
    EXPECT_EQ(file.TotalFrames(), 30);

    ms3d_vertex_t* vertex = nullptr;
    file.VertexAt(3, &vertex);
    ASSERT_NE(vertex, nullptr);
    // The records are packed: their fields are compared by value (+), since a reference may not
    // bind to an unaligned number.
    EXPECT_EQ(+vertex->vertex[1], 9.0f);
    ms3d_group_t* group = nullptr;
    file.GroupAt(0, &group);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(+group->numtriangles, 3);
    EXPECT_EQ(group->triangleIndices[2], 2);
    EXPECT_EQ(group->materialIndex, 0);
    ms3d_material_t* material = nullptr;
    file.MaterialAt(0, &material);
    ASSERT_NE(material, nullptr);
    EXPECT_STREQ(material->texture, "..\\textures\\skin.jpg");
    ms3d_joint_t* joint = nullptr;
    file.JointAt(0, &joint);
    ASSERT_NE(joint, nullptr);
    ASSERT_EQ(+joint->numKeyFramesTrans, 2);
    EXPECT_EQ(joint->keyFramesTrans[1].position[2], 9.0f);
    EXPECT_EQ(joint->keyFramesRot[0].rotation[0], 1.0f);
    EXPECT_EQ(file.FindJoint("arm"), 1);
    EXPECT_EQ(file.FindJoint("ar"), -1);
}

TEST_F(Ms3dFileTest, OnlyVersionFourWithTheRightIdentifier) {
    EXPECT_FALSE(Load(SmallModel(3)));
    EXPECT_FALSE(Load(SmallModel(5)));
    std::string wrongId = SmallModel();
    wrongId[4] = 'X';
    EXPECT_FALSE(Load(wrongId));
    EXPECT_FALSE(file.Load((dir.path() + "/missing.ms3d").c_str()));
    EXPECT_EQ(file.VertexCount(), 0);
}

// A broken file leaves the reader empty and is named where it breaks: at the first value that a
// cut leaves incomplete, or at the record of a vertex, normal or texture coordinate that is not a
// finite number (or a vertex farther out than any model reaches).
TEST_F(Ms3dFileTest, ABrokenFileIsRejectedWhereItBreaksAndLeavesTheReaderEmpty) {
    const std::string good = SmallModel();
    ASSERT_TRUE(Load(good));
    auto patched = [&good](size_t at, float value) {
        std::string bytes = good;
        std::memcpy(&bytes[at], &value, sizeof value);
        return bytes;
    };
    constexpr size_t kVertex2 = 16 + 2 * 15, kTriangle1 = 138 + 70;
    const struct {
        std::string bytes;
        size_t readBytes;
        std::string part;
    } broken[] = {{good.substr(0, 10), 0, "header"},
                  {good.substr(0, 20), 16, "vertices"},  // all 8 vertices are read in one block
                  {good.substr(0, 140), 138, "triangles"},
                  {good.substr(0, 360), 350, "groups"},  // the first group's head
                  {good.substr(0, good.size() - 1), good.size() - 93, "joints"},  // the last's head
                  {patched(kVertex2 + 1, NAN), kVertex2, "vertices"},             // x
                  {patched(kVertex2 + 5, 3e38f), kVertex2, "vertices"},           // y
                  {patched(kTriangle1 + 8, INFINITY), kTriangle1, "triangles"},  // the first normal
                  {patched(kTriangle1 + 48, NAN), kTriangle1, "triangles"}};     // the second s
    for (size_t i = 0; i < std::size(broken); ++i) {
        EXPECT_FALSE(Load(broken[i].bytes)) << i;
        EXPECT_EQ(file.LastRead().readBytes, broken[i].readBytes) << i;
        EXPECT_EQ(file.LastRead().brokenPart, broken[i].part) << i;
        EXPECT_NE(file.LastRead().problem, nullptr) << i;
        EXPECT_EQ(file.VertexCount() + file.TriangleCount() + file.GroupCount() +
                      file.MaterialCount() + file.JointCount() + file.EdgeCount(),
                  0)
            << i;
    }
}

}  // namespace
