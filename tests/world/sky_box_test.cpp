// The sky box shows each face file on its side of the cube, centred on the eye; the generated sky
// shows the sun where the lens flare sits.
#include "render/sky_box.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <cmath>

#include "NxVec3.h"
#include "support/image_files.h"
#include "support/offscreen.h"
#include "support/temp_dir.h"

namespace {

// The colour at the centre of the picture of `sky`, seen from `eye` along `look`.
std::array<int, 3> CentreToward(SkyBox& sky, const NxVec3& eye, const NxVec3& look) {
    Offscreen target;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 1, 0.1, 10000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const bool vertical = std::fabs(look.y) > 0.99f * look.magnitude();
    const NxVec3 at = eye + look;
    gluLookAt(eye.x, eye.y, eye.z, at.x, at.y, at.z, 0, vertical ? 0 : 1, vertical ? 1 : 0);
    sky.Draw(eye.x, eye.y, eye.z);
    return target.Read().At(Offscreen::kSize / 2, Offscreen::kSize / 2);
}

TEST(SkyBox, EachFaceShowsItsFileAroundTheEye) {
    const struct {
        const char* file;
        NxVec3 look;  // the direction in which the face lies
        std::array<int, 3> colour;
    } faces[] = {{"z+.bmp", {0, 1, 0}, {255, 0, 0}},   {"z-.bmp", {0, -1, 0}, {0, 255, 0}},
                 {"x-.bmp", {1, 0, 0}, {0, 0, 255}},   {"x+.bmp", {-1, 0, 0}, {255, 255, 0}},
                 {"y+.bmp", {0, 0, 1}, {0, 255, 255}}, {"y-.bmp", {0, 0, -1}, {255, 0, 255}}};
    TempDir dir;
    for (const auto& f : faces)
        WriteSolidImage(dir.path() + "/sky/" + f.file, 8, 8, uint8_t(f.colour[0]),
                        uint8_t(f.colour[1]), uint8_t(f.colour[2]));
    WorkingDirectory inside(dir.path());
    SkyBox sky(100.0f, "sky\\");
    EXPECT_FLOAT_EQ(sky.corners[7][0], -50);
    EXPECT_FLOAT_EQ(sky.corners[0][1], 50);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    for (const auto& f : faces)  // the box travels with the eye
        EXPECT_EQ(CentreToward(sky, NxVec3(200, -30, 7), f.look), f.colour) << f.file;
    glDisable(GL_CULL_FACE);
}

TEST(SkyBox, TheGeneratedSkyShowsTheSunWhereTheFlareSits) {
    SkyBox sky(3000, "textures\\sky\\");
    glDisable(GL_LIGHTING);
    auto centre = [&](NxVec3 look) { return CentreToward(sky, NxVec3(0, 0, 0), look); };
    auto white = [](std::array<int, 3> p) { return p[0] > 245 && p[1] > 245 && p[2] > 245; };
    const NxVec3 sun(1000, 530, 580);  // where the level puts the lens flare
    EXPECT_TRUE(white(centre(sun)));
    for (NxVec3 mirrored : {NxVec3(-1000, 530, 580), NxVec3(1000, 530, -580),
                            NxVec3(1000, -530, 580), NxVec3(580, 530, 1000)})
        EXPECT_FALSE(white(centre(mirrored))) << mirrored.x << ", " << mirrored.z;
    const auto zenith = centre(NxVec3(0, 1, 0)), nadir = centre(NxVec3(0, -1, 0));
    EXPECT_GT(zenith[2], zenith[0]);  // blue overhead
    EXPECT_GT(zenith[2], nadir[2]);   // darker below
}

}  // namespace
