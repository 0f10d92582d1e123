// The view frustum: which spheres are inside, the zero-normal guard, the debug drawing's state.
#include "render/frustum.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "core/globals.h"

namespace {

// Camera at (0, 0, 10) looking at the origin, near plane at z = 9, far plane at z = -90.
Frustum LookingDownMinusZ(float offsetX = 0) {
    Frustum view;
    view.SetPerspective(45, 4.0f / 3.0f, 1, 100);
    view.SetCamera(offsetX, 0, 10, offsetX, 0, 0, 0, 1, 0);
    return view;
}

TEST(Frustum, SpheresAroundTheViewVolume) {
    Frustum view = LookingDownMinusZ();
    EXPECT_TRUE(view.SphereInFrustum({0, 0, 0}, 1));
    EXPECT_FALSE(view.SphereInFrustum({0, 0, 20}, 1));   // behind the camera
    EXPECT_FALSE(view.SphereInFrustum({0, 0, -95}, 1));  // beyond the far plane
    EXPECT_TRUE(view.SphereInFrustum({0, 0, -95}, 10));  // reaches back over it
    EXPECT_FALSE(view.SphereInFrustum({30, 0, 0}, 1));   // right of the view
    EXPECT_FALSE(view.SphereInFrustum({0, -30, 0}, 1));  // below
    EXPECT_TRUE(view.SphereInFrustum({0, -30, 0}, 30));  // straddles the bottom plane
    for (float radius : {0.0f, 0.001f, 5.0f}) {          // centred on the near or the far plane
        EXPECT_TRUE(view.SphereInFrustum({0, 0, 9}, radius)) << radius;
        EXPECT_TRUE(view.SphereInFrustum({0, 0, -90}, radius)) << radius;
    }
}

TEST(Frustum, AnswersDoNotDependOnTheDistanceFromTheOrigin) {
    Frustum here = LookingDownMinusZ(), far = LookingDownMinusZ(50000);
    for (float x : {-8.0f, -2.0f, 0.0f, 3.0f, 9.0f}) {
        for (float z : {-89.0f, -10.0f, 0.0f, 8.5f, 12.0f}) {
            EXPECT_EQ(here.SphereInFrustum({x, 0, z}, 0.5f),
                      far.SphereInFrustum({x + 50000, 0, z}, 0.5f))
                << x << ", " << z;
        }
    }
}

TEST(Frustum, AnUpVectorAlongTheViewLeavesSidePlanesThatNeverCull) {
    Frustum view;
    view.SetPerspective(45, 1, 1, 100);
    view.SetCamera(0, 0, 10, 0, 0, 0, 0, 0, 1);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(view.SphereInFrustum({1000, 0, 0}, 1));
    std::string output = testing::internal::GetCapturedStdout();
    std::string message = "Error: Div by Zero. Plane has invalid normal";
    std::string fourTimes = message + message + message + message;  // top, bottom, left, right
    EXPECT_EQ(output, fourTimes);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(view.SphereInFrustum({0, 0, 20}, 1));  // the near plane still culls
    EXPECT_EQ(testing::internal::GetCapturedStdout(), fourTimes);
}

TEST(Frustum, DebugDrawingRestoresThePolygonModeOfTheWireframeSwitch) {
    Frustum view = LookingDownMinusZ();
    for (bool on : {true, false}) {
        wireframe = on;
        view.DebugDraw();
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], on ? GL_LINE : GL_FILL);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

}  // namespace
