#include "render/lens_flare.h"

#include <GL/glew.h>

#include <cmath>

#include "core/globals.h"
#include "render/camera.h"
#include "render/texture.h"

namespace {

struct FlareElement {
    bool glow;  // the glow texture, otherwise the halo
    float factor;
    float size;  // pixels
};
const FlareElement kElements[] = {
    {false, 0.5f, 100}, {false, 0.8f, 90}, {false, 0.9f, 30}, {false, 0.95f, 60}, {true, 1.5f, 100},
};

}  // namespace

zvLensFlare::zvLensFlare(float offsetX, float offsetY, float offsetZ, Camera* camera_)
    : offset{offsetX, offsetY, offsetZ}, camera(camera_) {
    distance = std::sqrt(offsetX * offsetX + offsetY * offsetY + offsetZ * offsetZ);
    LoadTextures(useBilinear, useMipmaps);
}

void zvLensFlare::LoadTextures(bool bilinear, bool mipmap) {
    glowTexture = LoadTexture("textures\\glow.jpg", bilinear, mipmap);
    streaksTexture = LoadTexture("textures\\streaks.jpg", bilinear, mipmap);
    haloTexture = LoadTexture("textures\\halo.jpg", bilinear, mipmap);
}

void zvLensFlare::ReloadTextures(bool bilinear, bool mipmap) {
    DeleteTexture(glowTexture);
    DeleteTexture(streaksTexture);
    DeleteTexture(haloTexture);
    LoadTextures(bilinear, mipmap);
}

// Draws the sun's point invisibly and counts the samples that pass the depth test. The NV query
// is used where the driver has it, the ARB query (same result enum) otherwise.
uint32_t zvLensFlare::countVisibleSamples() {
    bool nv = GLEW_NV_occlusion_query;
    if (query == 0) {
        if (nv)
            glGenOcclusionQueriesNV(1, &query);
        else
            glGenQueriesARB(1, &query);
    }
    if (nv)
        glBeginOcclusionQueryNV(query);
    else
        glBeginQueryARB(GL_SAMPLES_PASSED_ARB, query);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glBegin(GL_POINTS);
    glVertex3fv(sunPosition);
    glEnd();
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLuint count = 0;
    if (nv) {
        glEndOcclusionQueryNV();
        glGetOcclusionQueryuivNV(query, GL_PIXEL_COUNT_NV, &count);
    } else {
        glEndQueryARB(GL_SAMPLES_PASSED_ARB);
        glGetQueryObjectuivARB(query, GL_QUERY_RESULT_ARB, &count);
    }
    return count;
}

void zvLensFlare::draw() {
    for (int i = 0; i < 3; ++i) sunPosition[i] = offset[i] + camera->eye[i];
    visible = countVisibleSamples() != 0;
    if (!visible) return;

    if (transparency) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glTexEnvf(GL_POINT_SPRITE, GL_COORD_REPLACE, 1.0f);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);

    float d[3] = {camera->center[0] - camera->eye[0], camera->center[1] - camera->eye[1],
                  camera->center[2] - camera->eye[2]};
    float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (length > 0)
        for (float& c : d) c /= length;
    float v[3];
    for (int i = 0; i < 3; ++i) v[i] = camera->eye[i] + d[i] * distance - sunPosition[i];
    for (const FlareElement& e : kElements) {
        glPointSize(e.size);
        BindTexture(e.glow ? glowTexture : haloTexture);
        glBegin(GL_POINTS);
        glVertex3f(sunPosition[0] + v[0] * e.factor, sunPosition[1] + v[1] * e.factor,
                   sunPosition[2] + v[2] * e.factor);
        glEnd();
    }

    glEnable(GL_DEPTH_TEST);
    if (transparency) glDisable(GL_BLEND);
    glTexEnvf(GL_POINT_SPRITE, GL_COORD_REPLACE, 0.0f);
}
