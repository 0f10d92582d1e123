// Weapons: the strict fire interval, no shot without ammunition, and ammunition divided by each
// weapon's divisor.
#include "player/weapon.h"

#include "core/globals.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "support/player_world.h"

namespace {

class WeaponTest : public PlayerWorld {
protected:
    void SetUp() override {
        PlayerWorld::SetUp();
        MountAt(NxVec3(0, 50, 0), mount);
    }
    float mount[16];
};

// A weapon fires only when more than its interval has passed since its last shot (a refused
// shot is not queued), and never without ammunition.
TEST_F(WeaponTest, FiresOnlyAfterMoreThanItsIntervalAndWithAmmunition) {
    Minigun gun("minigun_left", 0.2f, 100, 100);
    Rocketlauncher launcher("grenadegun_right", 1.0f, 10, 10);
    Minigun empty("minigun_left", 0.2f, 100, 0);
    const struct {
        Weapon* weapon;
        double time;
        size_t shots;
    } pulls[] = {{&gun, 100.0, 1},      {&gun, 100.2, 1},      {&gun, 100.2001, 2},
                 {&launcher, 100.0, 3}, {&launcher, 101.0, 3}, {&launcher, 101.0001, 4},
                 {&empty, 100.0, 4}};
    for (const auto& pull : pulls) {
        pull.weapon->fire(physicsScene, pull.time, mount);
        EXPECT_EQ(projectiles.size(), pull.shots) << pull.time;
    }
    EXPECT_NE(dynamic_cast<Bullet*>(projectiles[0]), nullptr);
    EXPECT_NE(dynamic_cast<Rocket*>(projectiles[2]), nullptr);
    EXPECT_EQ(gun.ammo, 98);
    EXPECT_EQ(gun.lastFireTime, 100.2001);
    EXPECT_EQ(launcher.ammo, 8);
    EXPECT_EQ(empty.lastFireTime, 0.0);
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
}

}  // namespace
