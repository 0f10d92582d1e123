// The model file reader: the format's edge cases, truncation everywhere, and real files.
#include "render/ms3d_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ms3d_builder.h"
#include "support/temp_dir.h"

namespace {

// A small model with something in every section: two triangles sharing a side, one written as
// corners (7, 2); two groups, a material and a joint with keys.
Ms3dBuilder SmallModel() {
    Ms3dBuilder model;
    for (int i = 0; i < 8; ++i) model.AddVertex(float(i), float(i * i), -float(i));
    model.AddGroup("body", 0);
    model.AddGroup("empty", -1);
    model.AddMaterial("skin", 1, 0.5f, 0.25f, "..\\textures\\skin.jpg");
    model.AddTriangle(0, 1, 2, 0);
    model.AddTriangle(2, 1, 3, 0);
    model.AddTriangle(7, 2, 5, 0);
    model.AddJoint({"root", "", {{0.5f, {1, 2, 3}}}, {{0.5f, {4, 5, 6}}, {1.0f, {7, 8, 9}}}});
    model.AddJoint({"arm", "root", {}, {}});
    return model;
}

class Ms3dFileTest : public ::testing::Test {
protected:
    bool Load(const std::string& bytes) { return file.Load(dir.write("m.ms3d", bytes).c_str()); }
    TempDir dir;
    CMS3DFile file;
};

TEST_F(Ms3dFileTest, ReadsEverySection) {
    ASSERT_TRUE(Load(SmallModel().Bytes()));
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
    EXPECT_EQ(vertex->vertex[1], 9.0f);
    ms3d_group_t* group = nullptr;
    file.GroupAt(0, &group);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->numtriangles, 3);
    EXPECT_EQ(group->triangleIndices[2], 2);
    EXPECT_EQ(group->materialIndex, 0);
    ms3d_material_t* material = nullptr;
    file.MaterialAt(0, &material);
    ASSERT_NE(material, nullptr);
    EXPECT_STREQ(material->texture, "..\\textures\\skin.jpg");
    ms3d_joint_t* joint = nullptr;
    file.JointAt(0, &joint);
    ASSERT_NE(joint, nullptr);
    ASSERT_EQ(joint->numKeyFramesTrans, 2);
    EXPECT_EQ(joint->keyFramesTrans[1].position[2], 9.0f);
    EXPECT_EQ(joint->keyFramesRot[0].rotation[0], 1.0f);
    EXPECT_EQ(file.FindJoint("arm"), 1);
    EXPECT_EQ(file.FindJoint("ar"), -1);
}

TEST_F(Ms3dFileTest, EdgesAreEachSideOnceOrderedByLargerThenSmallerIndex) {
    ASSERT_TRUE(Load(SmallModel().Bytes()));
    // Sides: (0,1) (1,2) (2,0) | (2,1) shared, (1,3) (3,2) | (7,2) (2,5) (5,7).
    const uint16_t expected[][2] = {{0, 1}, {0, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 5}, {2, 7}, {5, 7}};
    ASSERT_EQ(file.EdgeCount(), 8);
    for (int i = 0; i < 8; ++i) {
        ms3d_edge_t* edge = nullptr;
        file.EdgeAt(i, &edge);
        ASSERT_NE(edge, nullptr);
        EXPECT_EQ(edge->edgeIndices[0], expected[i][0]) << i;
        EXPECT_EQ(edge->edgeIndices[1], expected[i][1]) << i;
    }
}

TEST_F(Ms3dFileTest, AccessorsOutOfRangeLeaveThePointer) {
    ASSERT_TRUE(Load(SmallModel().Bytes()));
    ms3d_vertex_t sentinel{};
    ms3d_vertex_t* vertex = &sentinel;
    file.VertexAt(-1, &vertex);
    file.VertexAt(file.VertexCount(), &vertex);
    EXPECT_EQ(vertex, &sentinel);
    ms3d_joint_t* joint = nullptr;
    file.JointAt(2, &joint);
    EXPECT_EQ(joint, nullptr);
    ms3d_edge_t* edge = nullptr;
    file.EdgeAt(-1, &edge);
    EXPECT_EQ(edge, nullptr);
}

TEST_F(Ms3dFileTest, OnlyVersionFourWithTheRightIdentifier) {
    EXPECT_FALSE(Load(SmallModel().Bytes(3)));
    EXPECT_FALSE(Load(SmallModel().Bytes(5)));
    std::string wrongId = SmallModel().Bytes();
    wrongId[4] = 'X';
    EXPECT_FALSE(Load(wrongId));
    EXPECT_FALSE(file.Load((dir.path() + "/missing.ms3d").c_str()));
    EXPECT_EQ(file.VertexCount(), 0);
}

TEST_F(Ms3dFileTest, TrailingDataIsIgnored) {
    ASSERT_TRUE(Load(SmallModel().Bytes(4, std::string("\x01\x00\x00\x00comment", 11))));
    EXPECT_EQ(file.JointCount(), 2);
    EXPECT_EQ(file.LastRead().fileBytes - file.LastRead().readBytes, 11u);
    EXPECT_EQ(file.LastRead().brokenPart, nullptr);
}

TEST_F(Ms3dFileTest, EmptySectionsConsumeOnlyTheirCounts) {
    std::string bytes = Ms3dBuilder().Bytes();
    EXPECT_EQ(bytes.size(), 14u + 2 + 2 + 2 + 2 + 12 + 2);
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(file.VertexCount() + file.TriangleCount() + file.EdgeCount() + file.GroupCount() +
                  file.MaterialCount() + file.JointCount(),
              0);
    EXPECT_EQ(file.TotalFrames(), 30);  // read after the empty sections
}

TEST_F(Ms3dFileTest, ClearKeepsTheIndexArraysOfCopiedGroups) {
    ASSERT_TRUE(Load(SmallModel().Bytes()));
    ms3d_group_t* group = nullptr;
    file.GroupAt(0, &group);
    ms3d_group_t copy = *group;
    file.Clear();
    EXPECT_EQ(file.GroupCount(), 0);
    EXPECT_EQ(file.EdgeCount(), 0);
    EXPECT_FLOAT_EQ(file.AnimationFps(), 24.0f);
    EXPECT_EQ(copy.triangleIndices[1], 1);  // still owned by the reader
}

TEST_F(Ms3dFileTest, AFileCutAnywhereIsRejectedAndLeavesTheReaderEmpty) {
    const std::string bytes = SmallModel().Bytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        CMS3DFile cut;
        EXPECT_FALSE(cut.Load(dir.write("cut.ms3d", bytes.substr(0, length)).c_str())) << length;
        EXPECT_EQ(cut.VertexCount() + cut.TriangleCount() + cut.GroupCount() + cut.MaterialCount() +
                      cut.JointCount() + cut.EdgeCount(),
                  0)
            << length;
    }
    // The reader tells where the file breaks: at the first value that the cut leaves incomplete.
    const struct {
        size_t length, readBytes;
        std::string part;
    } cuts[] = {{10, 0, "header"},
                {20, 16, "vertices"},  // all 8 vertices are read in one block
                {140, 138, "triangles"},
                {360, 350, "groups"},                              // the first group's head
                {bytes.size() - 1, bytes.size() - 93, "joints"}};  // the last joint's head
    for (const auto& cut : cuts) {
        EXPECT_FALSE(Load(bytes.substr(0, cut.length)));
        EXPECT_EQ(file.LastRead().readBytes, cut.readBytes) << cut.length;
        EXPECT_EQ(file.LastRead().brokenPart, cut.part) << cut.length;
    }
    EXPECT_TRUE(Load(bytes));
}

TEST_F(Ms3dFileTest, RealFilesLoadExceptTheTwoDamagedOnes) {
    const std::filesystem::path corpus = "/work/shared/corpus/ms3d";
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    int loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (entry.path().extension() != ".ms3d") continue;
        const std::string name = entry.path().filename().string();
        const bool damaged = name == "assimp_assimp_wuson_damaged.ms3d" ||
                             name == "robotology_icub-main_icub_head_damaged.ms3d";
        CMS3DFile real;
        EXPECT_EQ(real.Load(entry.path().c_str()), !damaged) << name;
        if (damaged) continue;
        ++loaded;
        EXPECT_GT(real.TriangleCount(), 0) << name;
        EXPECT_GT(real.EdgeCount(), 0) << name;
    }
    EXPECT_EQ(loaded, 35);
}

}  // namespace
