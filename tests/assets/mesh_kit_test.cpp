// The mesh-building kit: every part is closed and wound outwards, encloses the volume its maths
// says, and carries the normals and texture coordinates its surface calls for.
#include <gtest/gtest.h>

#include "materials.h"
#include "mesh_checks.h"
#include "shapes.h"

namespace {

TriangleMesh Surface(const Mesh& mesh) {
    Ms3dModel model = mesh.toMs3d();
    return FromRecords(model.vertices, model.triangles);
}

void ExpectClosedWithVolume(const Mesh& mesh, double volume, double tolerance) {
    TriangleMesh surface = Surface(mesh);
    EXPECT_EQ(ClosedSurfaceFault(surface), "");
    EXPECT_NEAR(SignedVolume(surface), volume, volume * tolerance);
}

TEST(MeshKit, BoxSharesCornersAndKeepsFacesFlat) {
    Mesh mesh;
    mesh.use(look::kConcrete);
    AddBox(mesh, Transform::At({5, 0, 0}), {-1, 0, -2}, {1, 3, 2}, 4);
    ExpectClosedWithVolume(mesh, 24, 1e-5);
    Ms3dModel model = mesh.toMs3d();
    EXPECT_EQ(model.vertices.size(), 8u);
    ASSERT_EQ(model.triangles.size(), 12u);
    for (const ms3d_triangle_t& t : model.triangles) {
        const float* n = t.vertexNormals[0];
        for (int k = 1; k < 3; ++k)
            for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(t.vertexNormals[k][axis], n[axis]);
        EXPECT_FLOAT_EQ(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1);
    }
    // The 4-unit long faces take the 4-unit tile once; t starts at the top edge.
    float sMax = 0, tMax = 0;
    for (const ms3d_triangle_t& t : model.triangles)
        for (int k = 0; k < 3; ++k) {
            sMax = std::max(sMax, t.s[k]);
            tMax = std::max(tMax, t.t[k]);
            EXPECT_GE(t.s[k], 0);
            EXPECT_GE(t.t[k], 0);
        }
    EXPECT_FLOAT_EQ(sMax, 1.0f);
    EXPECT_FLOAT_EQ(tMax, 1.0f);
}

TEST(MeshKit, WindsByTheNormalsAndDropsDegenerateTriangles) {
    Mesh mesh;
    mesh.use(look::kHull);
    Vec3 up{0, 1, 0};
    mesh.addTriangle({{0, 0, 0}, up}, {{0, 0, 1}, up}, {{1, 0, 0}, up});  // clockwise from above
    mesh.addTriangle({{0, 0, 0}, up}, {{0, 0, 0.000001f}, up}, {{1, 0, 0}, up});  // welded corners
    mesh.addTriangle({{0, 0, 0}, up}, {{1, 0, 0}, up}, {{2, 0, 0}, up});          // no area
    Ms3dModel model = mesh.toMs3d();
    ASSERT_EQ(model.triangles.size(), 1u);
    TriangleMesh surface = FromRecords(model.vertices, model.triangles);
    const auto& t = surface.triangles[0];
    Point a = surface.points[t[0]], b = surface.points[t[1]], c = surface.points[t[2]];
    double normalY = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
    EXPECT_GT(normalY, 0);  // now counter-clockwise seen from +Y
}

TEST(MeshKit, GroupsTrianglesByMaterialWithGamePaths) {
    Mesh mesh;
    mesh.use(look::kGrass);
    AddBox(mesh, {}, {0, 0, 0}, {1, 1, 1});
    mesh.use(look::kEyes);
    AddBox(mesh, {}, {2, 0, 0}, {3, 1, 1});
    mesh.use(look::kGrass);
    AddBox(mesh, {}, {4, 0, 0}, {5, 1, 1});
    Ms3dModel model = mesh.toMs3d();
    ASSERT_EQ(model.groups.size(), 2u);
    EXPECT_EQ(model.groups[0].triangles.size(), 24u);
    EXPECT_EQ(model.groups[1].triangles.size(), 12u);
    EXPECT_EQ(model.materials[0].texture, "..\\textures\\grass.jpg");
    EXPECT_EQ(model.materials[1].texture, "");
    for (size_t g = 0; g < model.groups.size(); ++g) {
        EXPECT_EQ(model.groups[g].material, static_cast<int8_t>(g));
        for (uint16_t t : model.groups[g].triangles) EXPECT_EQ(model.triangles[t].groupIndex, g);
    }
}

}  // namespace
