// The frame: GLUT's display callback draws the world back to front and swaps the buffers.
#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>

#include <cstdio>

#include "core/globals.h"
#include "app/hud.h"
#include "core/removal.h"
#include "app/shaders.h"
#include "app/shell.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "player/projectile.h"
#include "render/frustum.h"
#include "render/lens_flare.h"
#include "render/particles.h"
#include "render/sky_box.h"
#include "objects/model_object.h"
#include "scene/ring.h"

namespace {

// Packed 0x00RRGGBB colours of the physics debug drawing.
void DebugColour(NxU32 colour) {
    glColor3f(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
              (colour & 0xFF) / 255.0f);
}

}  // namespace

void DrawLightMarker() {
    glPushMatrix();
    glTranslatef(lightPosition[0], lightPosition[1], lightPosition[2]);
    glColor3f(1, 1, 1);
    glutSolidSphere(0.1, 10, 10);
    glPopMatrix();
}

void DrawDebugRenderable(const NxDebugRenderable& r) {
    glLineWidth(1);
    glPushMatrix();
    if (NxU32 n = r.getNbPoints()) {
        const NxDebugPoint* points = r.getPoints();
        glBegin(GL_POINTS);
        for (NxU32 i = 0; i < n; ++i) {
            DebugColour(points[i].color);
            glVertex3fv(&points[i].p.x);
        }
        glEnd();
    }
    if (NxU32 n = r.getNbLines()) {
        const NxDebugLine* lines = r.getLines();
        glBegin(GL_LINES);
        for (NxU32 i = 0; i < n; ++i) {
            DebugColour(lines[i].color);
            glVertex3fv(&lines[i].p0.x);
            glVertex3fv(&lines[i].p1.x);
        }
        glEnd();
    }
    if (NxU32 n = r.getNbTriangles()) {
        const NxDebugTriangle* triangles = r.getTriangles();
        glBegin(GL_TRIANGLES);
        for (NxU32 i = 0; i < n; ++i) {
            DebugColour(triangles[i].color);
            glVertex3fv(&triangles[i].p0.x);
            glVertex3fv(&triangles[i].p1.x);
            glVertex3fv(&triangles[i].p2.x);
            std::printf("x: %f; ", triangles[i].p0.x);
        }
        glEnd();
    }
    glColor3f(1, 1, 1);
    glPopMatrix();
}

void DrawProjectiles() {
    for (Projectile* p : projectiles) p->draw();
}

// The level's models are in `objects` too, but the frame's level-model loop has just drawn them
// with the same pose: drawn again at the very same depth, not one of their fragments could pass
// the depth test, so the object pass leaves them out.
bool DrawnByLevelLoop(Object* o) {
    auto* model = dynamic_cast<ModelObject*>(o);
    return model != nullptr && model->levelModel;
}

void DrawObjects() {
    // Enemies are released and freed by the enemy pass of the game step; here they only leave
    // the draw list.
    RemovalPass(
        objects, [](Object* o) { return o->expired; },
        [](Object* o) {
            if (!DrawnByLevelLoop(o)) o->draw();
        },
        [](Object* o) {
            if (o->type == OBJECT_TYPE_ENEMY) return;
            o->release();
            delete o;
        });
}

// Rings still to be collected sparkle: every 0.05 s each sends out a particle that drifts and
// grows for two seconds, and every frame a marker sprite sits on it. The drift is drawn from the
// random generator every frame, paused or not, so the sequence of draws depends only on the
// frames and the rings.
void DrawRingParticles() {
    NxVec3 drift;
    drift.x = randomFloat(-1.0f, 1.0f) * 0.5f;
    drift.y = randomFloat(-1.0f, 1.0f) * 0.5f;
    drift.z = randomFloat(-1.0f, 1.0f) * 0.5f;
    if (paused) return;
    bool burst = nextSparkleTime < gameTime;
    if (burst) nextSparkleTime = gameTime + 0.05;
    for (Object* object : objects) {
        auto* ring = dynamic_cast<zvRing*>(object);
        if (ring == nullptr || ring->collected) continue;
        NxVec3 p = ring->getPosition();
        if (burst) {
            float growth = randomFloat(0.0f, 0.5f);
            particles->AddParticle({.position = p,
                                    .velocity = drift,
                                    .size = 0.1f,
                                    .growth = growth,
                                    .type = kRingSparkleParticle,
                                    .life = 2.0f});
        }
        particles->AddSprite(p.x, p.y, p.z, 1.0f, kRingMarkerParticle);
    }
}

// The sky box lies behind everything and writes depth like everything else, so drawing it after
// the opaque scene instead of first leaves the same picture: it still hides whatever lies beyond
// its walls, and what is drawn later is still tested against it. Drawn first, it was shaded over
// the whole window and then mostly painted over; drawn here, only where the sky shows. The
// frustum's debug drawing that follows takes the texture state as it finds it, so the texture
// and its switch are put back as the scene left them (the texture coordinate stays the sky's
// last, as when the sky came first and the models' buffers set none).
void DrawSkyBehindTheScene() {
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    const bool textured = glIsEnabled(GL_TEXTURE_2D);
    skyBox->Draw(camera->eye[0], camera->eye[1], camera->eye[2]);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (!textured) glDisable(GL_TEXTURE_2D);
}

void Display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // What is drawn without texture coordinates of its own (the bounding spheres that culling
    // shows) takes the current one: every frame starts from the sky box's last, as the sky was
    // once drawn first, and not from whatever the previous frame's particles left.
    glTexCoord2f(1, 0);
    if (lighting) glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    DrawLightMarker();
    DrawDebugRenderable(*physicsScene->getDebugRenderable());
    if (lighting) glEnable(GL_LIGHTING);
    DrawProjectiles();
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < numModels; ++i) levelModels[i]->draw();
    avatar->draw();
    DrawObjects();
    // The model renderer leaves its last program bound.
    if (gl20Supported && glslSupported && useOwnShader) glUseProgram(0);
    DrawRingParticles();
    if (lighting) glDisable(GL_LIGHTING);
    DrawSkyBehindTheScene();
    frustum.DebugDraw();
    DrawHud();
    particles->Draw();
    lensFlare->draw();
    glFlush();
    glutSwapBuffers();
}

void Reshape(int w, int h) {
    if (h == 0) h = 1;
    camera->aspect = static_cast<double>(w) / h;
    glViewport(0, 0, w, h);
}
