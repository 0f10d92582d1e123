#include "app/hud.h"

#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>

#include <cstdio>

#include "core/globals.h"
#include "app/level.h"
#include "core/settings.h"
#include "player/avatar.h"
#include "player/weapon.h"
#include "render/lens_flare.h"
#include "render/model.h"
#include "render/particles.h"
#include "render/sky_box.h"
#include "render/texture.h"
#include "objects/model_object.h"

uint32_t crossActiveTexture = 0, crossInactiveTexture = 0;

namespace {

constexpr int kCharAdvance = 15;

// Loaded and reloaded with the crosshairs, never drawn.
uint32_t rocketGuiTexture = 0;

void LoadOwnTextures(bool bilinear, bool mipmap) {
    rocketGuiTexture = LoadTexture("textures\\rocketGUIleft.jpg", bilinear, mipmap);
    crossActiveTexture = LoadTexture("textures\\cross_active.jpg", bilinear, mipmap);
    crossInactiveTexture = LoadTexture("textures\\cross_inactive.jpg", bilinear, mipmap);
}

// Formats one value into a buffer that holds any int32 or double, and draws it.
template <class Value>
void DrawValue(int x, int y, const char* format, Value value) {
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    DrawText(x, y, text);
}

void DrawHelp() {
    struct Line {
        const char* format;
        bool value;
    };
    const Line switches[] = {{"F1: switch help (%i)", showHelp},
                             {"F3: switch wireframe (%i)", wireframe},
                             {"F4: switch Use Bilinear Textures (%i)", useBilinear},
                             {"F5: switch Use Mipmap-Textures (%i)", useMipmaps},
                             {"F6: switch VBO (%i)", useVBO},
                             {"F8: switch view frustum culling (%i)", frustumCulling},
                             {"F9: switch transparency (%i)", transparency},
                             {"F10: switch own Shader (%i)", useOwnShader},
                             {"F11: switch flat shader (%i)", flatShading},
                             {"F12: switch light (%i)", lighting}};
    DrawValue(0, 150, "FrameRate: (%f)", 1.0 / timeDelta);
    int y = 170;
    for (const Line& line : switches) {
        DrawValue(0, y, line.format, static_cast<int>(line.value));
        y += 20;
    }
    DrawText(0, 400,
             "W: move forward; S: move backward; A: move left; D: move right; SHIFT: walljump;");
    DrawText(0, 420,
             "Mouse1: fire left; Mouse2: fire right; E: interact; SPACE: jump; R: set "
             "respawnPoint;");
    DrawText(0, 440,
             "C: switch camera mode; freeCam: I: forward K: backward J: left K: right U: up O: "
             "down;");
    DrawText(0, 470,
             "get into the sphere in the middle; collect 3 rings to open a door; jump often to "
             "jump higher");
}

// 2 pixels per health point, green at full health turning red as it falls.
void DrawHealthBar(int cx) {
    auto h = static_cast<uint32_t>(avatar->health);
    glColor3f(1.0f - h / 100.0f, h / 100.0f, 0.0f);
    int right = cx - 100 + 2 * static_cast<int>(h);
    glBegin(GL_QUADS);
    glVertex2i(cx - 100, 10);
    glVertex2i(cx - 100, 40);
    glVertex2i(right, 40);
    glVertex2i(right, 10);
    glEnd();
}

void DrawCrosshair(bool onEnemy, const NxVec3& at) {
    BindTexture(onEnemy ? crossActiveTexture : crossInactiveTexture);
    glBegin(GL_POINTS);
    glVertex3f(at.x, at.y, at.z);
    glEnd();
}

}  // namespace

void LoadHudTextures() {
    LoadOwnTextures(useBilinear, useMipmaps);
}

// Every character is drawn as a black shadow one pixel down and right, then as a white glyph.
// Both write depth at the same z, so where a shadow and a glyph overlap, the one drawn first
// stays. The GL draws bitmaps in batches of one colour, and each batch costs about as much to
// shade as a 256 x 32 rectangle whatever it holds; so a run of characters is drawn shadows first,
// then glyphs, two batches instead of two per character. That could only change the picture
// where a glyph reaches into a later character's shadow, which takes a glyph wider than the
// advance plus the shadow's offset: such a glyph ends its run.
void DrawText(int x, int y, const char* text) {
    constexpr int kShadowOffset = 1;
    for (int start = 0, end = 0; text[start] != '\0'; start = end) {
        while (text[end] != '\0' && glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, text[end++]) <=
                                        kCharAdvance + kShadowOffset) {
        }
        for (int shadow : {kShadowOffset, 0}) {
            float level = shadow ? 0.0f : 1.0f;
            glColor3f(level, level, level);
            for (int i = start; i < end; ++i) {
                glRasterPos2i(x + kCharAdvance * i + shadow, y + shadow);
                glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, text[i]);
            }
        }
    }
}

void DrawHud() {
    // The layout follows the configured window size, not the current one.
    const int cx = winResX / 2, cy = winResY / 2;
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, winResX, winResY, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Texts and the bar in their own colours: with the scene's last texture still on, they
    // took the colour of whatever texel they met.
    glDisable(GL_TEXTURE_2D);

    if (avatar->interactionTarget != nullptr) DrawText(cx - 157, cy, "Press 'E' to interact");
    if (avatar->leftWeapon != nullptr) DrawValue(100, winResY - 10, "%i", avatar->leftWeapon->ammo);
    if (avatar->rightWeapon != nullptr)
        DrawValue(winResX - 130, winResY - 10, "%i", avatar->rightWeapon->ammo);
    DrawValue(10, 20, "collected Rings: %i", avatar->rings);
    DrawValue(winResX - 230, 20, "Respawnitems: %i", avatar->respawnItems);
    DrawValue(cx - 60, 30, "Lifes: %i", avatar->lives);
    if (showHelp) DrawHelp();
    if (transparency) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    DrawHealthBar(cx);
    glEnable(GL_TEXTURE_2D);
    if (lighting) glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    // The crosshairs, in the scene at the points the aim rays hit, over everything.
    glTexEnvf(GL_POINT_SPRITE, GL_COORD_REPLACE, 1.0f);
    glDisable(GL_DEPTH_TEST);
    glPointSize(100.0f);
    DrawCrosshair(avatar->leftOnEnemy, avatar->leftAimPoint);
    DrawCrosshair(avatar->rightOnEnemy, avatar->rightAimPoint);
    glEnable(GL_DEPTH_TEST);
    glPointSize(1.0f);
    if (transparency) glDisable(GL_BLEND);
    glTexEnvf(GL_POINT_SPRITE, GL_COORD_REPLACE, 0.0f);
    if (lighting) glDisable(GL_LIGHTING);
}

void ReloadTextures(bool bilinear, bool mipmap) {
    std::printf("Lade Texturen...           ");
    char skyboxDir[256];
    ReadString(kLevelFile, "level", "skyboxDir", skyboxDir, sizeof skyboxDir);
    skyBox->ReloadTextures(skyboxDir, bilinear, mipmap);
    particles->ReloadTexture("textures\\sprites.bmp", bilinear, mipmap);
    lensFlare->ReloadTextures(bilinear, mipmap);
    avatar->reloadTexture(bilinear, mipmap);
    DeleteTexture(rocketGuiTexture);
    DeleteTexture(crossActiveTexture);
    DeleteTexture(crossInactiveTexture);
    LoadOwnTextures(bilinear, mipmap);
    // A model shared by several objects is reloaded once per object.
    for (Object* object : objects)
        if (auto* modelObject = dynamic_cast<ModelObject*>(object))
            modelObject->model->ReloadTextures(bilinear, mipmap);
    std::printf("Fertig!\n");
}
