#include "world/area_damage.h"

#include "core/globals.h"
#include "enemies/enemy.h"
#include "player/avatar.h"
#include "player/explosion.h"

namespace {

void DamageAround(float radius, float maxDamage, const NxVec3& position) {
    for (zvEnemy* enemy : enemies) {
        if (enemy->expired) continue;
        int damage = DamageAt(enemy->getPosition().distance(position), radius, maxDamage);
        if (damage >= 0) enemy->takeDamage(damage);
    }
    if (avatar != nullptr) {
        int damage = DamageAt(avatar->getPosition().distance(position), radius, maxDamage);
        if (damage >= 0) avatar->takeDamage(damage);
    }
}

}  // namespace

void InstallAreaDamage() {
    SetAreaDamage(DamageAround);
}
