// Weapons, projectiles and explosions: the strict fire interval, no shot without ammunition and
// ammunition divided by each weapon's divisor; a rocket bursts on its first contact with the
// linear, truncated damage of `explode`; a bullet ends in the step of its contact and costs the
// avatar 10; a grenade bursts when its 3 s run out, and twice when it meets the avatar.
#include "player/projectile.h"

#include "core/globals.h"
#include "app/shell.h"
#include "physics/actor_holder.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "player/explosion.h"
#include "player/weapon.h"
#include "support/player_world.h"
#include "render/particles.h"

namespace {

// The explosion flash: one particle of type 2 per explosion.
constexpr int kFlashType = 2;

class ProjectileTest : public PlayerWorld {
protected:
    void SetUp() override {
        PlayerWorld::SetUp();
        AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
        PlaceAvatar(NxVec3(20, 0.2f, -20));  // out of every blast's reach unless a test moves it
    }
    template <class Kind>
    Kind* Launch(const NxVec3& at) {
        float mount[16];
        MountAt(at, mount);
        auto* shot = new Kind(physicsScene, mount);
        projectiles.push_back(shot);
        return shot;
    }
    // Runs the physics until the projectile's lifetime drops to 0 on a contact (true) or the
    // steps run out, and then the projectile pass of that step.
    bool StepUntilContact(Projectile* shot, int steps) {
        for (int i = 0; i < steps; ++i) {
            lastPosition = shot->getPosition();
            Simulate();
            bool hit = shot->lifetime == 0;
            UpdateProjectiles(kStep);
            if (hit) return true;
        }
        return false;
    }
    static int Damage(float d, float radius, float maxDamage) {
        return d < radius ? static_cast<int>((1 - d / radius) * maxDamage) : 0;
    }
    NxVec3 lastPosition;
};

TEST_F(ProjectileTest, ExplosionDamageFallsOffLinearlyAndIsTruncated) {
    const NxVec3 centre(0, 5, 0);
    struct Case {
        float distance;
        int damage;
    };
    for (Case c : {Case{0, 50}, Case{0.01f, 49}, Case{2.5f, 25}, Case{5.0f, 0}, Case{7, 0}}) {
        SCOPED_TRACE(c.distance);
        avatar->health = 100;
        avatar->position = centre + NxVec3(c.distance, 0, 0);
        explode(5.0f, 50.0f, centre);
        EXPECT_EQ(avatar->health, 100 - c.damage);
    }
    avatar->position = centre;
    avatar->health = 100;
    explode(1.0f, 0.0f, centre);  // shows itself without harm
    EXPECT_EQ(avatar->health, 100);

    ASSERT_EQ(particles->particleCount(), 6);
    const Particle& flash = particles->particle(5);
    EXPECT_EQ(flash.type, kFlashType);
    EXPECT_EQ(flash.size[0], 1.0f);
    EXPECT_EQ(flash.life, 0.5f);
    EXPECT_EQ(flash.position[1], 5.0f);
}

TEST_F(ProjectileTest, RocketBurstsOnItsFirstContactWithAWall) {
    AddStatic("level_wall_8x6", NxVec3(0, 0, 3));  // its face towards the rocket at z 2.75
    avatar->position = NxVec3(0, 1, 1);
    Rocket* rocket = Launch<Rocket>(NxVec3(0, 1, 0));
    ASSERT_TRUE(StepUntilContact(rocket, 60));
    EXPECT_TRUE(projectiles.empty());  // gone in the step of the contact

    ASSERT_EQ(particles->particleCount(), 1);
    const Particle& flash = particles->particle(0);
    EXPECT_EQ(flash.type, kFlashType);
    EXPECT_EQ(flash.size[0], 5.0f);
    NxVec3 at(flash.position[0], flash.position[1], flash.position[2]);
    EXPECT_NEAR(at.x, 0, 0.01f);
    EXPECT_NEAR(at.y, 1, 0.01f);
    EXPECT_GT(at.z, 2.4f);  // against the wall, not short of it nor through it
    EXPECT_LT(at.z, 2.75f);
    EXPECT_EQ(avatar->health, 100 - Damage(at.distance(avatar->position), 5.0f, 50.0f));
}

// A bullet ends in the step of its contact: short of the wall without a burst, and on the avatar
// at the cost of 10. A rocket costs the avatar 10 as well, and flies on.
TEST_F(ProjectileTest, BulletsEndAtTheirContactAndRocketsPassTheAvatar) {
    AddStatic("level_wall_8x6", NxVec3(0, 0, 3));
    ASSERT_TRUE(StepUntilContact(Launch<Bullet>(NxVec3(0, 1, 0)), 60));
    EXPECT_TRUE(projectiles.empty());
    EXPECT_LT(lastPosition.z, 3.25f);  // stopped before passing through the wall
    EXPECT_EQ(particles->particleCount(), 0);
    PlaceAvatar(NxVec3(0, 0.2f, 1));
    ASSERT_TRUE(StepUntilContact(Launch<Bullet>(NxVec3(0, 0.2f, 0)), 30));
    EXPECT_EQ(avatar->health, 90);
    EXPECT_TRUE(projectiles.empty());

    PlaceAvatar(NxVec3(0, 0.2f, 1));
    Rocket* rocket = Launch<Rocket>(NxVec3(0, 0.25f, 0));
    for (int i = 0; i < 10 && avatar->health == 90; ++i) Step();
    EXPECT_EQ(avatar->health, 80);
    EXPECT_EQ(particles->particleCount(), 0);
    ASSERT_EQ(projectiles.size(), 1u);
    EXPECT_GT(rocket->lifetime, 3.0);
}

// A grenade on the avatar bursts twice in one step; one that meets nothing bursts when its 3 s
// run out.
TEST_F(ProjectileTest, GrenadesBurstTwiceOnTheAvatarOrWhenTheirThreeSecondsRunOut) {
    PlaceAvatar(NxVec3(0, 0.2f, 0.5f));
    Launch<Grenade>(NxVec3(0, 0.2f, 0));
    for (int i = 0; i < 10 && !projectiles.empty(); ++i) Step();
    EXPECT_TRUE(projectiles.empty());
    ASSERT_EQ(particles->particleCount(), 2);
    EXPECT_EQ(particles->particle(0).position[2], particles->particle(1).position[2]);
    EXPECT_EQ(avatar->health, 0);  // 10 for the touch and up to 50 twice

    PlaceAvatar(NxVec3(20, 0.2f, -20));
    Launch<Grenade>(NxVec3(0, 0.3f, -10));
    int steps = 0;
    NxVec3 last;
    while (!projectiles.empty() && steps < 400) {
        last = projectiles[0]->getPosition();
        EXPECT_EQ(particles->particleCount(), 2) << "burst early, at step " << steps;
        Step();
        ++steps;
    }
    EXPECT_NEAR(steps, 180, 1);  // 3.0 s of 1/60 s steps, give or take the rounding of 1/60
    ASSERT_EQ(particles->particleCount(), 3);
    const Particle& flash = particles->particle(2);
    EXPECT_EQ(flash.size[0], 8.0f);
    EXPECT_NEAR(flash.position[2], last.z, 0.5f);  // where it came to rest on the ground
    EXPECT_LT(flash.position[1], 0.2f);
}

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
