// The particle system: all small effects of the game as camera-facing squares cut from one sprite
// sheet. Sprites live for one frame; particles move, grow and emit one sprite per frame until their
// life runs out. Storage is fixed (4000 of each), so adding an effect never allocates.
#pragma once

#include <cstdint>

#include "NxVec3.h"

struct ParticleType {
    float u[4] = {}, v[4] = {};  // corners: top left, top right, bottom left, bottom right
    bool invalid = true;
};

struct Sprite {
    float position[3];
    float size;  // edge length in world units
    int type;
    bool active;
};

struct Particle {
    float position[3];
    float velocity[3];  // units per second
    float damping;      // fraction of the velocity lost per second
    float size[2];      // the first is the sprite's edge length
    float growth[2];    // added to the size per second
    int type;
    int spare;   // stored, never read
    float life;  // seconds left; -10 marks an empty slot
};

// The particle types the game's effects use.
constexpr int kLifeLostParticle = 0;     // the burst where the ball loses a life
constexpr int kExplosionParticle = 2;    // the flash of an explosion
constexpr int kRingMarkerParticle = 6;   // the sprite on a ring still to be collected
constexpr int kRingSparkleParticle = 7;  // the sparkles around it

// A new particle as the game's effects describe it. Sizes grow alike in both components, of which
// the first is drawn.
struct ParticleDesc {
    NxVec3 position{};  // world units
    NxVec3 velocity{};  // world units per second
    float damping = 0;  // fraction of the velocity lost per second
    float size = 1;     // edge length of its sprite, world units
    float growth = 0;   // world units per second added to the size
    int type = 0;       // one of the 16 types of "particle types" in data\game.ini
    float life = 0;     // seconds; a particle without life is not added
};

class ParticleSystem {
public:
    static constexpr int kMaxSprites = 4000;
    static constexpr int kMaxParticles = 4000;
    static constexpr int kNumTypes = 16;

    void SetTexture(const char* file);
    void LoadTypes();
    void ClearParticles();
    void SetViewerPosition(float x, float y, float z);
    void AddSprite(float x, float y, float z, float size, int type);
    void AddParticle(float x, float y, float z, float vx, float vy, float vz, float damping,
                     float sizeX, float sizeY, float growthX, float growthY, int type, int spare,
                     float life);
    // The game's effects add their particles through this; the spare value is 0.
    void AddParticle(const ParticleDesc& particle);
    void Update(float dt);
    void Draw();
    // Rewrites the batch so that it runs from the farthest sprite to the nearest.
    void SortSprites();
    void ReloadTexture(const char* file, bool bilinear, bool mipmap);

    int spriteCount() const { return numSprites; }
    int particleCount() const { return numParticles; }
    const Particle& particle(int slot) const { return particles[slot]; }
    const Sprite& sprite(int slot) const { return sprites[slot]; }
    const ParticleType& particleType(int i) const { return types[i]; }

private:
    void DrawSprites();

    uint32_t spriteTexture = 0;
    ParticleType types[kNumTypes];
    float viewer[3] = {0, 0, 0};
    Sprite sprites[kMaxSprites] = {};
    Particle particles[kMaxParticles] = {};
    // Active sprites and live particles always form a prefix of their arrays (sprites are emptied
    // all at once, particles are kept packed in the order they were added), so the first free
    // slot is simply the count.
    int numSprites = 0;
    int numParticles = 0;
    // Scratch space of the back-to-front sort and the drawing, kept here so drawing never
    // allocates.
    struct SortKey {
        float distance;
        int slot;
    };
    SortKey sortKeys[kMaxSprites];
    Sprite sortCopy[kMaxSprites];
    struct SpriteCorner {
        float u, v, x, y, z;
    };
    SpriteCorner corners[kMaxSprites * 6];  // two triangles per sprite
};
