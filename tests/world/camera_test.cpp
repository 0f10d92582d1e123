// The camera's four modes, checked through the view transform it leaves in GL.
#include "render/camera.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "core/globals.h"
#include "render/frustum.h"

namespace {

// Where the current model-view matrix takes a world point.
std::array<float, 3> ToEye(float x, float y, float z) {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        camera.init(60, 1024, 768, 0.1, 100000.0, 3);
        frustumCulling = false;
    }
    void Look(float t = 0) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera.look(t);
    }
    // The eye sits at the origin of eye space and the centre straight ahead (-Z).
    void ExpectViewFrom(const float eye[3], const float center[3]) {
        auto e = ToEye(eye[0], eye[1], eye[2]);
        for (float c : e) EXPECT_NEAR(c, 0, 1e-4);
        auto c = ToEye(center[0], center[1], center[2]);
        EXPECT_NEAR(c[0], 0, 1e-4);
        EXPECT_NEAR(c[1], 0, 1e-4);
        EXPECT_LT(c[2], 0);
    }
    Camera camera;
};

TEST_F(CameraTest, InitSetsProjectionAndDefaults) {
    EXPECT_EQ(camera.mode, 3);
    EXPECT_DOUBLE_EQ(camera.aspect, 1024.0 / 768.0);
    EXPECT_FLOAT_EQ(camera.freePolar, 1.57f);
    float p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[5], 1.0 / std::tan(30 * M_PI / 180), 1e-4);  // fovy 60
    int mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(CameraTest, FollowCirclesTheTargetUnderYawAndPitch) {
    camera.mode = 0;
    camera.setTarget(1, 2, 3, 0.5f, 0.3f);
    Look();
    EXPECT_NEAR(camera.eye[0], 1 - std::cos(0.3) * std::sin(0.5), 1e-5);
    EXPECT_NEAR(camera.eye[1], 2 + std::sin(0.3) + 0.5, 1e-5);
    EXPECT_NEAR(camera.eye[2], 3 - std::cos(0.3) * std::cos(0.5), 1e-5);
    EXPECT_FLOAT_EQ(camera.center[1], 2.3f);
    ExpectViewFrom(camera.eye, camera.center);

    camera.setTarget(0, 0, 0, 0, 1.57f);  // almost straight above
    Look();
    EXPECT_NEAR(std::hypot(camera.eye[0], camera.eye[2]), 0.0008, 1e-4);
}

TEST_F(CameraTest, ChaseLooksAlongPlusZFromAboveAndBehind) {
    camera.mode = 1;
    camera.setTarget(4, 1, -2, 2.0f, 0.7f);
    Look();
    const float eye[3] = {4, 6, -12};
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(camera.eye[i], eye[i]);
    EXPECT_FLOAT_EQ(camera.center[2], -1);  // stored, but the view is horizontal
    const float ahead[3] = {4, 6, 0};
    ExpectViewFrom(eye, ahead);
}

TEST_F(CameraTest, FreeModeFliesOnItsOwnAndKeepsTheEye) {
    camera.mode = 0;
    camera.setTarget(1, 1, 1, 0, 0);
    Look();
    float followEye[3] = {camera.eye[0], camera.eye[1], camera.eye[2]};
    camera.mode = 2;
    camera.moveFree(true, false, false, false, false, false);  // I: along the view (-Z)
    EXPECT_NEAR(camera.freePos[2], -0.3f, 1e-6);
    camera.moveFree(false, false, false, false, true, false);  // U: straight up
    EXPECT_NEAR(camera.freePos[1], 0.3f, 1e-3);
    Look();
    EXPECT_NEAR(camera.center[2], camera.freePos[2] - 50 * std::sin(1.57f), 1e-3);
    ExpectViewFrom(camera.freePos, camera.center);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(camera.eye[i], followEye[i]);
}

TEST_F(CameraTest, OrbitTurnsWithTime) {
    camera.setTarget(0, 0, 0, 5.0f, 0.0f);
    Look(1.0f);  // mode 3 from init: the heading is the time, not the yaw
    EXPECT_NEAR(camera.eye[0], -std::sin(1.0), 1e-5);
    EXPECT_NEAR(camera.eye[2], -std::cos(1.0), 1e-5);
}

TEST_F(CameraTest, FrustumFollowsOnlyWhileCullingInFollowAndChase) {
    camera.mode = 0;
    camera.setTarget(0, 0, 0, 0, 0);  // looks along +Z
    frustumCulling = true;
    Look();
    EXPECT_TRUE(frustum.SphereInFrustum(NxVec3(0, 0, 20), 1));
    EXPECT_FALSE(frustum.SphereInFrustum(NxVec3(0, 0, -20), 1));
    camera.mode = 2;  // free: the frustum stays where it was
    camera.freeAzimuth = 3.14159f;
    Look();
    EXPECT_TRUE(frustum.SphereInFrustum(NxVec3(0, 0, 20), 1));
    frustumCulling = false;
}

}  // namespace
