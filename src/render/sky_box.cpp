#include "render/sky_box.h"

#include <GL/glew.h>

#include <cstdio>

#include "core/globals.h"
#include "render/texture.h"

namespace {

// Per face, in drawing order: the four corners and their texture coordinates.
struct FaceCorner {
    int corner;
    float s, t;
};
const FaceCorner kFaceCorners[SkyBox::kFaces][4] = {
    {{0, 0, 0}, {1, 1, 0}, {3, 1, 1}, {2, 0, 1}},  // top (y = +h)
    {{6, 0, 0}, {7, 1, 0}, {5, 1, 1}, {4, 0, 1}},  // bottom (y = -h)
    {{0, 1, 1}, {2, 0, 1}, {6, 0, 0}, {4, 1, 0}},  // x = +h
    {{5, 0, 0}, {7, 1, 0}, {3, 1, 1}, {1, 0, 1}},  // x = -h
    {{4, 0, 0}, {5, 1, 0}, {1, 1, 1}, {0, 0, 1}},  // z = +h
    {{2, 1, 1}, {3, 0, 1}, {7, 0, 0}, {6, 1, 0}},  // z = -h
};

}  // namespace

SkyBox::SkyBox(float edgeLength, const char* folderPrefix) {
    float h = edgeLength / 2;
    for (int i = 0; i < 8; ++i) {
        corners[i][0] = (i & 1) ? -h : h;
        corners[i][1] = (i & 4) ? -h : h;
        corners[i][2] = (i & 2) ? -h : h;
    }
    LoadTextures(folderPrefix, useBilinear, useMipmaps);
}

void SkyBox::LoadTextures(const char* folderPrefix, bool bilinear, bool mipmap) {
    for (int face = 0; face < kFaces; ++face) {
        char file[512];
        std::snprintf(file, sizeof file, "%s%s", folderPrefix, kFaceFiles[face]);
        textures[face] = LoadTexture(file, bilinear, mipmap);
        // Filtering must not wrap around to the opposite edge: that draws seams along the cube.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}

void SkyBox::ReloadTextures(const char* folderPrefix, bool bilinear, bool mipmap) {
    for (uint32_t texture : textures) DeleteTexture(texture);
    LoadTextures(folderPrefix, bilinear, mipmap);
}

void SkyBox::Draw(float x, float y, float z) {
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);  // the previous frame may have left texturing off
    glColor3f(1, 1, 1);
    glTranslatef(x, y, z);
    for (int face = 0; face < kFaces; ++face) {
        BindTexture(textures[face]);
        glBegin(GL_QUADS);
        for (const FaceCorner& c : kFaceCorners[face]) {
            glTexCoord2f(c.s, c.t);
            glVertex3fv(corners[c.corner]);
        }
        glEnd();
    }
    glPopMatrix();
}
