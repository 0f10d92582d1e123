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

struct Face {
    const char* file;
    float look[3];  // the direction in which the face lies
    uint8_t colour[3];
};

TEST(SkyBox, EachFaceShowsItsFileAroundTheEye) {
    TempDir dir;
    const Face faces[] = {
        {"z+.bmp", {0, 1, 0}, {255, 0, 0}},   {"z-.bmp", {0, -1, 0}, {0, 255, 0}},
        {"x-.bmp", {1, 0, 0}, {0, 0, 255}},   {"x+.bmp", {-1, 0, 0}, {255, 255, 0}},
        {"y+.bmp", {0, 0, 1}, {0, 255, 255}}, {"y-.bmp", {0, 0, -1}, {255, 0, 255}}};
    for (const Face& f : faces)
        WriteSolidImage(dir.path() + "/sky/" + f.file, 8, 8, f.colour[0], f.colour[1], f.colour[2]);
    WorkingDirectory inside(dir.path());
    SkyBox sky(100.0f, "sky\\");
    EXPECT_FLOAT_EQ(sky.corners[7][0], -50);
    EXPECT_FLOAT_EQ(sky.corners[0][1], 50);

    Offscreen target;
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    for (const Face& f : faces) {
        target.Clear();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60, 1, 0.1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float eye[3] = {200, -30, 7};  // the box travels with the eye
        float up[3] = {0, 1, 0};
        if (f.look[1] != 0) up[1] = 0, up[2] = 1;
        gluLookAt(eye[0], eye[1], eye[2], eye[0] + f.look[0], eye[1] + f.look[1],
                  eye[2] + f.look[2], up[0], up[1], up[2]);
        sky.Draw(eye[0], eye[1], eye[2]);
        auto centre = target.Read().At(Offscreen::kSize / 2, Offscreen::kSize / 2);
        EXPECT_EQ(centre, (std::array<int, 3>{f.colour[0], f.colour[1], f.colour[2]})) << f.file;
    }
    glDisable(GL_CULL_FACE);
}

// The generated sky of the stage folder as the game draws it, seen from the origin along `look`.
Pixels SkyToward(SkyBox& sky, const Offscreen& target, NxVec3 look) {
    target.Clear();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 1, 1, 10000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const bool vertical = std::fabs(look.y) > 0.99f * look.magnitude();
    gluLookAt(0, 0, 0, look.x, look.y, look.z, 0, vertical ? 0 : 1, vertical ? 1 : 0);
    sky.Draw(0, 0, 0);
    return target.Read();
}

TEST(SkyBox, TheGeneratedSkyShowsTheSunWhereTheFlareSits) {
    SkyBox sky(3000, "textures\\sky\\");
    Offscreen target;
    glDisable(GL_LIGHTING);
    const int c = Offscreen::kSize / 2;
    auto centre = [&](NxVec3 look) { return SkyToward(sky, target, look).At(c, c); };
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
