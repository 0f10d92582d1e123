#include "player/explosion.h"

#include "app/globals.h"
#include "enemies/enemy.h"
#include "player/avatar.h"
#include "render/particles.h"

namespace {

// The damage at distance d, or -1 when out of range (a target exactly at the radius is missed).
int DamageAt(float d, float radius, float maxDamage) {
    if (!(d < radius)) return -1;
    return static_cast<int>((1.0f - d / radius) * maxDamage);
}

}  // namespace

void explode(float radius, float maxDamage, const NxVec3& position) {
    for (zvEnemy* enemy : enemies) {
        if (enemy->expired) continue;
        int damage = DamageAt(enemy->getPosition().distance(position), radius, maxDamage);
        if (damage >= 0) enemy->takeDamage(damage);
    }
    if (avatar != nullptr) {
        int damage = DamageAt(avatar->getPosition().distance(position), radius, maxDamage);
        if (damage >= 0) avatar->takeDamage(damage);
    }
    if (particles != nullptr)
        particles->AddParticle(position.x, position.y, position.z, 0, 0, 0, 0.0f, radius, radius,
                               0.0f, 0.0f, 2, 0, 0.5f);
}
