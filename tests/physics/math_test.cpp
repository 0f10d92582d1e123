// The SDK's matrix types: rotation conventions, products and the OpenGL layout.
#include <gtest/gtest.h>

#include "NxPhysics.h"

namespace {

void ExpectNear(const NxVec3& a, const NxVec3& b, float tolerance = 1e-6f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(NxMath, RotationsAreRightHanded) {
    NxMat33 m;
    m.rotX(NxPi / 2);
    ExpectNear(m * NxVec3(0, 1, 0), NxVec3(0, 0, 1));
    m.rotY(NxPi / 2);
    ExpectNear(m * NxVec3(0, 0, 1), NxVec3(1, 0, 0));
    m.rotZ(NxPi / 2);
    ExpectNear(m * NxVec3(1, 0, 0), NxVec3(0, 1, 0));
    // Row-major storage: element (row, column).
    m.rotZ(NxPi / 2);
    EXPECT_NEAR(m(0, 1), -1.0f, 1e-6f);
    ExpectNear(m.getColumn(0), NxVec3(0, 1, 0));
    ExpectNear(m.getRow(0), NxVec3(0, -1, 0));
}

TEST(NxMath, ProductsComposeRightToLeft) {
    NxMat33 y, x;
    y.rotY(0.7f);
    x.rotX(-0.3f);
    NxVec3 v(0.2f, -1.5f, 3.0f);
    ExpectNear((y * x) * v, y * (x * v), 1e-5f);
    NxMat33 product;
    product.multiply(y, x);
    EXPECT_EQ(product, y * x);

    NxMat34 a(y, NxVec3(1, 2, 3)), b(x, NxVec3(-4, 0, 0.5f));
    ExpectNear((a * b) * v, a * (b * v), 1e-5f);
    NxVec3 moved;
    a.multiply(v, moved);
    ExpectNear(moved, y * v + NxVec3(1, 2, 3));
}

TEST(NxMath, ColumnMajorRoundTrip) {
    NxMat33 r;
    r.rotY(1.1f);
    NxMat33 tilt;
    tilt.rotX(0.4f);
    NxMat34 pose(r * tilt, NxVec3(5, -6, 7));
    NxF32 gl[16];
    pose.getColumnMajor44(gl);
    ExpectNear(NxVec3(gl[0], gl[1], gl[2]), pose.M.getColumn(0));
    ExpectNear(NxVec3(gl[8], gl[9], gl[10]), pose.M.getColumn(2));
    EXPECT_EQ(NxVec3(gl[12], gl[13], gl[14]), NxVec3(5, -6, 7));
    EXPECT_EQ(gl[3], 0.0f);
    EXPECT_EQ(gl[15], 1.0f);
    NxMat34 back;
    back.setColumnMajor44(gl);
    EXPECT_EQ(back.M, pose.M);
    EXPECT_EQ(back.t, pose.t);
    NxF32 again[16];
    back.getColumnMajor44(again);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(again[i], gl[i]);
}

}  // namespace
