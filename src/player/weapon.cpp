#include "player/weapon.h"

#include <algorithm>

#include "render/model.h"
#include "objects/model_object.h"

Weapon::Weapon(const char* name, float fireInterval_, int maxAmmo_, int ammo_)
    : ammo(ammo_), maxAmmo(maxAmmo_), fireInterval(fireInterval_) {
    if (name != nullptr) model = GetModelByName(name);
}

void Weapon::fire(NxScene*, double, const float*) {}

void Weapon::draw(const float matrix[16]) {
    if (model != nullptr) model->Render(matrix);
}

void Weapon::addAmmo(int amount) {
    ammo = std::min(ammo + amount / ammoDivisor, maxAmmo);
}

bool Weapon::takeShot(double time) {
    // Strictly more than the interval: a request exactly one interval after a shot waits.
    if (!(fireInterval < time - lastFireTime) || ammo <= 0) return false;
    lastFireTime = time;
    --ammo;
    return true;
}
