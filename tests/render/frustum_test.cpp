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

// Each answer holds as well 50000 units away from the origin, where the planes' offsets are large.
// The debug drawing restores the polygon mode of the wireframe switch.
TEST(Frustum, SpheresAroundTheViewVolumeNearAndFarFromTheOriginAndItsDrawing) {
    Frustum here = LookingDownMinusZ(), far = LookingDownMinusZ(50000);
    const struct {
        NxVec3 centre;
        float radius;
        bool inside;
    } spheres[] = {
        {{0, 0, 0}, 1, true},    {{0, 0, 20}, 1, false},     // behind the camera
        {{0, 0, -95}, 1, false}, {{0, 0, -95}, 10, true},    // beyond the far plane, reaching over
        {{30, 0, 0}, 1, false},  {{0, -30, 0}, 1, false},    // right of the view, below it
        {{0, -30, 0}, 30, true},                             // straddling the bottom plane
        {{0, 0, 9}, 0, true},    {{0, 0, 9}, 0.001f, true},  // centred on the near plane
        {{0, 0, -90}, 0, true},  {{0, 0, -90}, 5, true},     // and on the far one
    };
    for (const auto& s : spheres) {
        EXPECT_EQ(here.SphereInFrustum(s.centre, s.radius), s.inside)
            << s.centre.x << ", " << s.centre.y << ", " << s.centre.z << " r " << s.radius;
        EXPECT_EQ(far.SphereInFrustum(s.centre + NxVec3(50000, 0, 0), s.radius), s.inside)
            << s.centre.x << ", " << s.centre.y << ", " << s.centre.z << " r " << s.radius;
    }
    for (bool on : {true, false}) {
        wireframe = on;
        here.DebugDraw();
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], on ? GL_LINE : GL_FILL);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST(Frustum, AnUpVectorAlongTheViewLeavesSidePlanesThatNeverCull) {
    Frustum view;
    view.SetPerspective(45, 1, 1, 100);
    view.SetCamera(0, 0, 10, 0, 0, 0, 0, 0, 1);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(view.SphereInFrustum({1000, 0, 0}, 1));
    std::string fourTimes;  // top, bottom, left, right
    for (int i = 0; i < 4; ++i) fourTimes += "Error: Div by Zero. Plane has invalid normal";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), fourTimes);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(view.SphereInFrustum({0, 0, 20}, 1));  // the near plane still culls
    EXPECT_EQ(testing::internal::GetCapturedStdout(), fourTimes);
}

}  // namespace
