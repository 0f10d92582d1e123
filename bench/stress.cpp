#include "stress.h"

#include <algorithm>
#include <cmath>

#include "core/globals.h"
#include "enemies/cube_cannon.h"
#include "enemies/cube_fly.h"
#include "enemies/cube_jumping_block.h"
#include "enemies/cube_moving_bomb.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "player/projectile.h"
#include "render/particles.h"

namespace bench {

namespace {

constexpr float kPi = 3.14159265358979f;

void RemoveTheLevelsEnemies() {
    for (zvEnemy* e : enemies) {
        objects.erase(std::find(objects.begin(), objects.end(), e));
        e->release();
        delete e;
    }
    enemies.clear();
}

template <class Kind>
void AddAround(int i, int count, float radius, float height) {
    float angle = 2 * kPi * (i + 0.5f) / count;
    auto* enemy = new Kind(physicsScene);
    enemy->setPose(NxVec3(radius * std::sin(angle), height, radius * std::cos(angle)),
                   NxVec3(0, angle + kPi, 0));
    objects.push_back(enemy);
    enemies.push_back(enemy);
}

// A deterministic spread in [-1, 1): the benchmark must not touch the game's random sequence.
float Spread(int i, int salt) {
    uint32_t h = static_cast<uint32_t>(i) * 2654435761u ^ static_cast<uint32_t>(salt) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return static_cast<float>(h % 20000) / 10000.0f - 1.0f;
}

}  // namespace

// Cannons and bombs are active, flies and blocks alerted (they drop their triggers once they see
// the ball).
void SetEveryoneToWork() {
    for (zvEnemy* e : enemies) {
        e->target = avatar;
        e->health = 1000000;
        e->state = e->kind == 2 || e->kind == 3 ? ENEMY_ALERTED : ENEMY_ACTIVE;
    }
}

// No damage kills them: the load is enemies at work, not their deaths (a bomb that touches the
// ball still goes off). The ball never loses a life, so the game never pauses.
void KeepEveryoneAtWork() {
    for (zvEnemy* e : enemies)
        if (e->state == ENEMY_DYING)
            e->state = e->trigger && (e->kind == 2 || e->kind == 3) ? ENEMY_ALERTED : ENEMY_ACTIVE;
    avatar->health = avatar->maxHealth;
}

void ReplaceEnemiesWithForty() {
    RemoveTheLevelsEnemies();
    for (int i = 0; i < 10; ++i) {
        AddAround<CubeCannon>(i, 10, 6.0f, 0.0f);
        AddAround<CubeMovingBomb>(i, 10, 4.5f, 0.3f);
        AddAround<CubeFly>(i, 10, 5.0f, 1.5f);
        AddAround<CubeJumpingBlock>(i, 10, 3.0f, 0.4f);
    }
    SetEveryoneToWork();
}

void Stress::Start() {
    ReplaceEnemiesWithForty();
    KeepUp();
}

// Bullets leave a ring of muzzles above the enemies, upwards and outwards, so they fly their
// whole life; particles drift around the ball, in view of the camera behind it.
void Stress::KeepUp() {
    KeepEveryoneAtWork();
    const NxVec3 ball = avatar->getPosition();
    while (static_cast<int>(projectiles.size()) < projectiles_) {
        const int n = launched_++;
        const float angle = 2 * kPi * (n % 50) / 50.0f;
        const float c = std::cos(angle), s = std::sin(angle);
        // Local +Z, the firing direction, points up and out; the muzzle sits 8 units up.
        const float mount[16] = {c,
                                 0,
                                 -s,
                                 0,
                                 -0.8f * s,
                                 0.6f,
                                 -0.8f * c,
                                 0,
                                 0.6f * s,
                                 0.8f,
                                 0.6f * c,
                                 0,
                                 ball.x + 7 * s,
                                 ball.y + 8 + (n % 7),
                                 ball.z + 7 * c,
                                 1};
        projectiles.push_back(new Bullet(physicsScene, mount));
    }
    for (int i = particles->particleCount(); i < ParticleSystem::kMaxParticles; ++i) {
        const int n = launched_++;
        particles->AddParticle(
            {.position = NxVec3(ball.x + 4 * Spread(n, 1), ball.y + 1.5f + Spread(n, 2),
                                ball.z + 4 * Spread(n, 3)),
             .velocity = NxVec3(0.3f * Spread(n, 4), 0.3f * Spread(n, 5), 0.3f * Spread(n, 6)),
             .size = 0.3f,
             .growth = 0.1f,
             .type = kExplosionParticle,
             .life = 2.0f + Spread(n, 7)});
    }
}

}  // namespace bench
