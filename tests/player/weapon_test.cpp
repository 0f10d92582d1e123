// Weapons: the strict fire interval, no shot without ammunition, and ammunition divided by each
// weapon's divisor.
#include "player/weapon.h"

#include "core/globals.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "player_world.h"

namespace {

class WeaponTest : public PlayerWorld {
protected:
    void SetUp() override {
        PlayerWorld::SetUp();
        MountAt(NxVec3(0, 50, 0), mount);
    }
    float mount[16];
};

TEST_F(WeaponTest, MinigunFiresOnlyWhenMoreThanItsIntervalHasPassed) {
    Minigun gun("minigun_left", 0.2f, 100, 100);
    gun.fire(physicsScene, 100.0, mount);
    ASSERT_EQ(projectiles.size(), 1u);
    EXPECT_NE(dynamic_cast<Bullet*>(projectiles[0]), nullptr);
    gun.fire(physicsScene, 100.2, mount);  // exactly one interval later: refused, not queued
    EXPECT_EQ(projectiles.size(), 1u);
    EXPECT_EQ(gun.lastFireTime, 100.0);
    gun.fire(physicsScene, 100.2001, mount);
    EXPECT_EQ(projectiles.size(), 2u);
    EXPECT_EQ(gun.ammo, 98);
    EXPECT_EQ(gun.lastFireTime, 100.2001);
}

TEST_F(WeaponTest, RocketLauncherWaitsOneSecond) {
    Rocketlauncher launcher("grenadegun_right", 1.0f, 10, 10);
    launcher.fire(physicsScene, 100.0, mount);
    launcher.fire(physicsScene, 101.0, mount);
    ASSERT_EQ(projectiles.size(), 1u);
    EXPECT_NE(dynamic_cast<Rocket*>(projectiles[0]), nullptr);
    launcher.fire(physicsScene, 101.0001, mount);
    EXPECT_EQ(projectiles.size(), 2u);
    EXPECT_EQ(launcher.ammo, 8);
}

TEST_F(WeaponTest, NothingFiresWithoutAmmunition) {
    Minigun gun("minigun_left", 0.2f, 100, 0);
    gun.fire(physicsScene, 100.0, mount);
    EXPECT_TRUE(projectiles.empty());
    EXPECT_EQ(gun.lastFireTime, 0.0);
    EXPECT_EQ(gun.ammo, 0);
}

TEST_F(WeaponTest, AmmunitionIsDividedByEachWeaponsDivisor) {
    struct Case {
        int amount, minigun, launcher, grenades;
    };
    for (Case c : {Case{30, 30, 4, 6}, Case{50, 50, 7, 10}, Case{3, 3, 0, 0}}) {
        SCOPED_TRACE(c.amount);
        Minigun minigun(nullptr, 0.2f, 100, 0);
        Rocketlauncher launcher(nullptr, 1.0f, 10, 0);
        Grenadegun grenades(nullptr, 1.0f, 10, 0);
        minigun.addAmmo(c.amount);
        launcher.addAmmo(c.amount);
        grenades.addAmmo(c.amount);
        EXPECT_EQ(minigun.ammo, c.minigun);
        EXPECT_EQ(launcher.ammo, c.launcher);
        EXPECT_EQ(grenades.ammo, c.grenades);
    }
    Minigun full(nullptr, 0.2f, 100, 95);
    full.addAmmo(30);
    EXPECT_EQ(full.ammo, 100);

    // The avatar hands the amount to both of its weapons.
    avatar->leftWeapon->ammo = 0;
    avatar->rightWeapon->ammo = 0;
    avatar->addAmmo(30);
    EXPECT_EQ(avatar->leftWeapon->ammo, 30);
    EXPECT_EQ(avatar->rightWeapon->ammo, 4);
}

}  // namespace
