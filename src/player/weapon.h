// Weapons turn fire requests into projectiles, limited by a minimum interval between shots and by
// their ammunition. They hold no reference to their owner: the owner passes the scene, the time
// and the mount matrix (third column: the firing direction) with every shot.
#pragma once

#include "core/globals.h"
#include "player/projectile.h"
#include "sound/sound.h"

class Model;
class NxScene;

class Weapon {
public:
    // `name` may be null for a weapon that is never drawn.
    Weapon(const char* name, float fireInterval, int maxAmmo, int ammo);
    virtual ~Weapon() = default;
    virtual void fire(NxScene* scene, double time, const float mount[16]);
    virtual void draw(const float matrix[16]);
    // Adds amount / ammoDivisor (integer division), up to maxAmmo.
    void addAmmo(int amount);

    Model* model = nullptr;
    int ammo;
    int ammoDivisor = 1;
    int maxAmmo;
    float fireInterval;
    double lastFireTime = 0;

protected:
    // True when a shot may go now; then the shot is counted.
    bool takeShot(double time);
};

// A weapon that fires projectiles of one kind, heard at the muzzle.
template <class Shot, int Divisor, SoundEvent Sound>
class ProjectileWeapon : public Weapon {
public:
    ProjectileWeapon(const char* name, float fireInterval, int maxAmmo, int ammo)
        : Weapon(name, fireInterval, maxAmmo, ammo) {
        ammoDivisor = Divisor;
    }
    void fire(NxScene* scene, double time, const float mount[16]) override {
        if (!takeShot(time)) return;
        projectiles.push_back(new Shot(scene, mount));
        PlaySoundEvent(Sound, NxVec3(mount[12], mount[13], mount[14]));
    }
};

class Minigun : public ProjectileWeapon<Bullet, 1, SoundEvent::Shot> {
    using ProjectileWeapon::ProjectileWeapon;
};
class Rocketlauncher : public ProjectileWeapon<Rocket, 7, SoundEvent::Launch> {
    using ProjectileWeapon::ProjectileWeapon;
};
class Grenadegun : public ProjectileWeapon<Grenade, 5, SoundEvent::Launch> {
    using ProjectileWeapon::ProjectileWeapon;
};
