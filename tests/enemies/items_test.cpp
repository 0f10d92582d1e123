// Pickup items: the draw that picks the kind, what each gives the avatar and only once, and that
// nothing but the avatar takes one.
#include <gtest/gtest.h>

#include <memory>

#include "core/globals.h"
#include "enemies/cube_jumping_block.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "player/projectile.h"
#include "player/weapon.h"
#include "scene/pickup_items.h"
#include "support/player_world.h"

namespace {

using ItemsTest = PlayerWorld;

TEST_F(ItemsTest, TheDrawPicksTheKindAtItsBoundaries) {
    struct Case {
        int n;
        const char* kind;
    };
    for (Case c : {Case{0, "health"}, Case{4333, "health"}, Case{4334, "ammo"}, Case{8999, "ammo"},
                   Case{9000, "respawn"}, Case{10000, "respawn"}}) {
        std::unique_ptr<ModelObject> item(NewDroppedItem(c.n, physicsScene));
        const char* kind = dynamic_cast<zvHealthItem*>(item.get())    ? "health"
                           : dynamic_cast<zvAmmoItem*>(item.get())    ? "ammo"
                           : dynamic_cast<zvRespawnItem*>(item.get()) ? "respawn"
                                                                      : "none";
        EXPECT_STREQ(kind, c.kind) << c.n;
        EXPECT_TRUE(item->body->actor->isDynamic());
        item->release();
    }
}

TEST_F(ItemsTest, EachItemGivesWhatItHoldsOnce) {
    struct Case {
        int before, after;
    };
    for (Case c : {Case{90, 100}, Case{70, 90}, Case{80, 100}}) {
        avatar->health = c.before;
        zvHealthItem item(physicsScene);
        item.onContact(avatar);
        item.onContact(avatar);  // a bounce before the object pass takes it away
        EXPECT_EQ(avatar->health, c.after) << c.before;
        EXPECT_TRUE(item.expired);
        item.release();
    }
    for (int held : {0, 7}) {
        avatar->respawnItems = held;
        zvRespawnItem item(physicsScene);
        item.onContact(avatar);
        item.onContact(avatar);
        EXPECT_EQ(avatar->respawnItems, held + 1);
        item.release();
    }
    // Both weapons are refilled: the minigun by 30, the launcher by 30 / 7 rockets; each up to
    // its maximum.
    avatar->leftWeapon->ammo = 50;
    avatar->rightWeapon->ammo = 9;
    zvAmmoItem item(physicsScene);
    item.onContact(avatar);
    EXPECT_EQ(avatar->leftWeapon->ammo, 80);
    EXPECT_EQ(avatar->rightWeapon->ammo, 10);
    item.release();
}

TEST_F(ItemsTest, TheLevelAProjectileOrAnEnemyLeavesAnItemWhereItIs) {
    AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(20, 0.2f, -20));
    avatar->health = 50;
    auto* item = new zvHealthItem(physicsScene);
    item->setPose(NxVec3(0, 0.5f, 3), NxVec3(0, 0, 0));
    objects.push_back(item);
    Step(30);  // onto the ground
    EXPECT_NEAR(item->getPosition().y, 0.12f, 0.05f);

    float mount[16];
    MountAt(NxVec3(0, 0.12f, 1), mount);
    projectiles.push_back(new Bullet(physicsScene, mount));
    Add<CubeJumpingBlock>(NxVec3(0, 1.5f, 3));  // falls onto it
    Step(60);
    EXPECT_TRUE(projectiles.empty());  // the bullet met it
    EXPECT_FALSE(item->expired);
    EXPECT_EQ(avatar->health, 50);

    // The ball rolls into it.
    item->setPose(NxVec3(0, 0.15f, 6), NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(0, 0.2f, 5));
    avatar->actor->setLinearVelocity(NxVec3(0, 0, 10));
    for (int i = 0; i < 60 && !item->expired; ++i) Step();
    EXPECT_TRUE(item->expired);
    EXPECT_EQ(avatar->health, 70);
}

}  // namespace
