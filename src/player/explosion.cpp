#include "player/explosion.h"

#include "core/globals.h"
#include "render/particles.h"

namespace {

AreaDamage areaDamage = nullptr;

}  // namespace

void SetAreaDamage(AreaDamage damage) {
    areaDamage = damage;
}

void explode(float radius, float maxDamage, const NxVec3& position) {
    if (areaDamage != nullptr) areaDamage(radius, maxDamage, position);
    if (particles != nullptr)
        particles->AddParticle(
            {.position = position, .size = radius, .type = kExplosionParticle, .life = 0.5f});
}

int DamageAt(float d, float radius, float maxDamage) {
    if (!(d < radius)) return -1;
    return static_cast<int>((1.0f - d / radius) * maxDamage);
}
