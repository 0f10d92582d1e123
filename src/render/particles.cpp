#include "render/particles.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/globals.h"
#include "core/settings.h"
#include "render/texture.h"

namespace {

constexpr float kEmptyLife = -10.0f;
constexpr float kSheetSize = 256.0f;
constexpr float kInset = 0.005f;  // keeps neighbouring cells from bleeding in

void Normalize(float v[3]) {
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0)
        for (int i = 0; i < 3; ++i) v[i] /= length;
}

void Cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

void ParticleSystem::SetTexture(const char* file) {
    spriteTexture = LoadTexture(file, useBilinear, useMipmaps);
}

void ParticleSystem::ReloadTexture(const char* file, bool bilinear, bool mipmap) {
    DeleteTexture(spriteTexture);
    spriteTexture = LoadTexture(file, bilinear, mipmap);
}

void ParticleSystem::LoadTypes() {
    constexpr float kMissing = static_cast<float>(NOT_FOUND_VALUE);
    for (int i = 0; i < kNumTypes; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "Type%i", i);
        Vec4 r = ReadVec4("data\\game.ini", "particle types", key);
        ParticleType& t = types[i];
        if (r.x == kMissing && r.y == kMissing && r.z == kMissing && r.w == kMissing) {
            t.invalid = true;
            continue;
        }
        t.invalid = false;
        // Corners top left, top right, bottom left, bottom right; v counts from the bottom.
        const float x[4] = {r.x, r.x + r.z, r.x, r.x + r.z};
        const float y[4] = {r.y, r.y, r.y + r.w, r.y + r.w};
        const float insetU[4] = {kInset, -kInset, kInset, -kInset};
        const float insetV[4] = {-kInset, -kInset, kInset, kInset};
        for (int c = 0; c < 4; ++c) {
            t.u[c] = x[c] / kSheetSize + insetU[c];
            t.v[c] = 1.0f - y[c] / kSheetSize + insetV[c];
        }
    }
}

void ParticleSystem::ClearParticles() {
    for (Particle& p : particles) p.life = kEmptyLife;
    numParticles = 0;
}

void ParticleSystem::SetViewerPosition(float x, float y, float z) {
    viewer[0] = x;
    viewer[1] = y;
    viewer[2] = z;
}

void ParticleSystem::AddSprite(float x, float y, float z, float size, int type) {
    if (numSprites == kMaxSprites) return;
    sprites[numSprites++] = {{x, y, z}, size, type, true};
}

void ParticleSystem::AddParticle(float x, float y, float z, float vx, float vy, float vz,
                                 float damping, float sizeX, float sizeY, float growthX,
                                 float growthY, int type, int spare, float life) {
    if (life <= 0 || numParticles == kMaxParticles) return;
    particles[numParticles++] = {{x, y, z},          {vx, vy, vz}, damping, {sizeX, sizeY},
                                 {growthX, growthY}, type,         spare,   life};
}

void ParticleSystem::AddParticle(const ParticleDesc& p) {
    AddParticle(p.position.x, p.position.y, p.position.z, p.velocity.x, p.velocity.y, p.velocity.z,
                p.damping, p.size, p.size, p.growth, p.growth, p.type, 0, p.life);
}

void ParticleSystem::Update(float dt) {
    // One pass that ages every live particle once and closes the gaps of the expired ones, so
    // the live particles stay packed at the front in the order they were added.
    int kept = 0;
    for (int i = 0; i < numParticles; ++i) {
        Particle p = particles[i];
        if (p.life - dt <= 0) continue;
        p.life -= dt;
        float keep = std::pow(1.0f - p.damping, dt);
        for (int k = 0; k < 3; ++k) {
            p.velocity[k] *= keep;
            p.position[k] += p.velocity[k] * dt;
        }
        p.size[0] += p.growth[0] * dt;
        p.size[1] += p.growth[1] * dt;
        particles[kept++] = p;
    }
    for (int i = kept; i < numParticles; ++i) particles[i].life = kEmptyLife;
    numParticles = kept;
}

void ParticleSystem::SortSprites() {
    for (int i = 0; i < numSprites; ++i) {
        float d[3] = {sprites[i].position[0] - viewer[0], sprites[i].position[1] - viewer[1],
                      sprites[i].position[2] - viewer[2]};
        sortKeys[i] = {d[0] * d[0] + d[1] * d[1] + d[2] * d[2], i};
    }
    std::sort(sortKeys, sortKeys + numSprites,
              [](const SortKey& a, const SortKey& b) { return a.distance < b.distance; });
    std::copy(sprites, sprites + numSprites, sortCopy);
    for (int i = 0; i < numSprites; ++i) sprites[i] = sortCopy[sortKeys[numSprites - 1 - i].slot];
}

void ParticleSystem::DrawSprites() {
    if (transparency) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glColor4f(1, 1, 1, 1);
    BindTexture(spriteTexture);
    glPointSize(1.0f);
    const float up[3] = {0, 1, 0};
    SpriteCorner* out = corners;
    for (int i = 0; i < numSprites; ++i) {
        const Sprite& s = sprites[i];
        float n[3] = {s.position[0] - viewer[0], s.position[1] - viewer[1],
                      s.position[2] - viewer[2]};
        Normalize(n);
        float xAxis[3], yAxis[3];
        Cross(n, up, xAxis);
        Normalize(xAxis);
        Cross(xAxis, n, yAxis);
        Normalize(yAxis);
        float h = s.size / 2;
        // Corners in the type's order: left top, right top, left bottom, right bottom.
        float corner[4][3];
        const float sx[4] = {-h, h, -h, h}, sy[4] = {h, h, -h, -h};
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < 3; ++k)
                corner[c][k] = s.position[k] + xAxis[k] * sx[c] + yAxis[k] * sy[c];
        const ParticleType& t = types[s.type & (kNumTypes - 1)];
        for (int c : {0, 2, 1, 2, 3, 1})
            *out++ = {t.u[c], t.v[c], corner[c][0], corner[c][1], corner[c][2]};
    }
    // The whole batch in one draw call: handing the driver each corner in calls of its own
    // cost more than working the corners out.
    if (numSprites > 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(SpriteCorner), &corners[0].u);
        glVertexPointer(3, GL_FLOAT, sizeof(SpriteCorner), &corners[0].x);
        glDrawArrays(GL_TRIANGLES, 0, numSprites * 6);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        // Draws after this that give no texture coordinates of their own see the last corner's, as
        // when the corners went out one by one.
        glTexCoord2f(out[-1].u, out[-1].v);
    }
    if (transparency) glDisable(GL_BLEND);
}

void ParticleSystem::Draw() {
    for (int i = 0; i < numParticles; ++i) {
        const Particle& p = particles[i];
        AddSprite(p.position[0], p.position[1], p.position[2], p.size[0], p.type);
    }
    SortSprites();
    DrawSprites();
    for (int i = 0; i < numSprites; ++i) sprites[i].active = false;
    numSprites = 0;
}
