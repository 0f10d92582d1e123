// The enemies' shared rules in a physics world: the aim deltas, damage and dying, the trigger's
// part, explosions, and the enemy pass freeing enemies when no frame ran in between. And the items
// they leave: the draw that picks the kind, what each gives the avatar and only once, and that
// nothing but the avatar takes one.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/globals.h"
#include "enemies/cube_cannon.h"
#include "enemies/cube_fly.h"
#include "enemies/cube_jumping_block.h"
#include "enemies/cube_moving_bomb.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "player/explosion.h"
#include "player/projectile.h"
#include "player/weapon.h"
#include "scene/pickup_items.h"
#include "objects/trigger.h"
#include "support/play_stage.h"
#include "support/player_world.h"

namespace {

constexpr float kPi = 3.14159265358979f;

using EnemyWorld = PlayerWorld;
using ItemsTest = PlayerWorld;

TEST(EnemyAim, DeltasTurnTheShortWayStayFiniteAndMeetStraightAbove) {
    struct Case {
        float current;
        NxVec3 direction;
        float heading, pitch;  // the deltas expected
    };
    const Case cases[] = {
        {0, {0, 0, 1}, 0, 0},
        {0, {1, 0, 0}, kPi / 2, 0},
        {0, {-1, 0, 0}, -kPi / 2, 0},
        // Across the back, the short way: from 3.0 to -2.88 is +0.4, from -3.0 to 2.9 is -0.38.
        {3.0f, {std::sin(3.4f), 0, std::cos(3.4f)}, 0.4f, -3.0f},
        {-3.0f, {std::sin(2.9f), 0, std::cos(2.9f)}, 2.9f - 2 * kPi + 3.0f, 3.0f},
        // Straight above and below: no heading; the quotient of the pitch is infinite.
        {0.3f, {0, 5, 0}, 0, -(kPi / 2 + 0.3f)},
        {0.3f, {0, -5, 0}, 0, -(-kPi / 2 + 0.3f)},
        // The square of a tiny z underflows, so z / sqrt(x^2 + z^2) rounds to 1.0097.
        {0.5f, {0, 3, 1e-22f}, -0.5f, -(kPi / 2 + 0.5f)},
        {0.5f, {1e-23f, 0, -1e-22f}, kPi - 0.5f, -0.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.current << " towards (" << c.direction.x << ", "
                                        << c.direction.y << ", " << c.direction.z << ")");
        float heading = zvEnemy::headingDelta(c.current, c.direction);
        ASSERT_TRUE(std::isfinite(heading));
        EXPECT_NEAR(heading, c.heading, 2e-3f);
        EXPECT_NEAR(zvEnemy::pitchDelta(c.current, c.direction), c.pitch, 2e-3f);
    }
}

TEST(EnemyAim, TheFlyApproachesBacksOffOrCirclesByDistance) {
    struct Case {
        float distance;
        NxVec3 push;
    };
    for (Case c : {Case{3.01f, {0, 0, 1}}, Case{3.0f, {0.5f, 0, 0}}, Case{1.0f, {0.5f, 0, 0}},
                   Case{0.99f, {0, 0, -1}}})
        EXPECT_EQ(CubeFly::keepDistanceForce(c.distance), c.push) << c.distance;
}

TEST_F(EnemyWorld, DyingEnemiesStayDyingAndLeaveWithoutAFrameInBetween) {
    AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(0, 0.2f, 0));
    const NxU32 actorsBefore = physicsScene->getNbActors();
    auto* cannon = Add<CubeCannon>(NxVec3(0, 0, 5));
    auto* fly = Add<CubeFly>(NxVec3(3, 1, 5), kPi);
    auto* block = Add<CubeJumpingBlock>(NxVec3(-3, 0.4f, 5), kPi);
    for (zvEnemy* e : enemies) Notice(e);
    EXPECT_EQ(cannon->state, ENEMY_ACTIVE);
    EXPECT_EQ(fly->state, ENEMY_ALERTED);

    // Seen once, the fly and the block drop their triggers and hunt from then on.
    Step();
    EXPECT_EQ(fly->state, ENEMY_ACTIVE);
    EXPECT_EQ(fly->trigger, nullptr);
    EXPECT_EQ(block->trigger, nullptr);

    cannon->takeDamage(49);
    EXPECT_EQ(cannon->state, ENEMY_ACTIVE);
    cannon->takeDamage(1);
    EXPECT_EQ(cannon->health, 0);
    EXPECT_EQ(cannon->state, ENEMY_DYING);
    cannon->state = ENEMY_ACTIVE;
    cannon->takeDamage(0);  // nothing left to take: dying again
    EXPECT_EQ(cannon->state, ENEMY_DYING);
    // The avatar leaving and coming back in the same step does not bring it back.
    cannon->onTriggerLeave(cannon->trigger, avatar);
    Notice(cannon);
    EXPECT_EQ(cannon->state, ENEMY_DYING);

    // A rocket bursting 2.5 from the block deals 25; one on the fly finishes it without a
    // trigger to release.
    explode(5.0f, 50.0f, block->getPosition() + NxVec3(2.5f, 0, 0));
    EXPECT_EQ(block->health, 175);
    explode(5.0f, 50.0f, fly->getPosition());
    EXPECT_EQ(fly->state, ENEMY_DYING);

    const NxVec3 plate = cannon->getPosition(), flyAt = fly->getPosition();
    testing::internal::CaptureStdout();
    Step();  // both die: each leaves an item where it was and is expired
    EXPECT_TRUE(cannon->expired && fly->expired);
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_LT(objects[3]->getPosition().distance(plate), 0.5f);
    EXPECT_LT(objects[4]->getPosition().distance(flyAt), 0.5f);
    // The next step frees them although no frame took them off the draw list.
    Step();
    EXPECT_EQ(Count(testing::internal::GetCapturedStdout(), "canon unloaded\n"), 1u);
    ASSERT_EQ(enemies.size(), 1u);
    EXPECT_EQ(enemies[0], block);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0], block);
    EXPECT_EQ(objects[1]->type, OBJECT_TYPE_MODEL);
    EXPECT_EQ(objects[2]->type, OBJECT_TYPE_MODEL);
    // Every actor of the dead went with them: what is left is the block's body and the items.
    EXPECT_EQ(physicsScene->getNbActors(), actorsBefore + 3 + projectiles.size());
}

TEST_F(EnemyWorld, ABombGoesOffOnTouchingTheBallAndSetsOffItsNeighbour) {
    AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(0, 0.2f, 0));
    auto* touched = Add<CubeMovingBomb>(NxVec3(0, 0.3f, 0.7f));
    Add<CubeMovingBomb>(NxVec3(1.0f, 0.3f, 0.7f));
    avatar->actor->setLinearVelocity(NxVec3(0, 0, 3));
    int steps = 0;
    for (; steps < 30 && touched->state != ENEMY_DEAD; ++steps) Step();
    ASSERT_EQ(touched->state, ENEMY_DEAD);
    // 10 for the touch, then both blasts: up to 50 each, falling off over 2.0.
    EXPECT_LT(avatar->health, 90 - 20);
    // The neighbour 1.0 away took 25 of its 20 and went off too.
    for (int i = 0; i < 3 && !enemies.empty(); ++i) Step();
    EXPECT_TRUE(enemies.empty());
    ASSERT_EQ(objects.size(), 2u);  // an item from each
}

TEST_F(EnemyWorld, ABombTurnsAndRollsInEveryStepOfAClockThatHasRunForDays) {
    AddStatic("level_ground_66x200", NxVec3(0, 0, 0));
    PlaceAvatar(NxVec3(0, 0.2f, 0));
    auto* bomb = Add<CubeMovingBomb>(NxVec3(0, 0.3f, 6));
    Notice(bomb);
    // The game clock counts from the machine's start: 12 days, where a float keeps 1/16 s.
    gameTime = 1.0e6;
    for (int i = 0; i < 60; ++i) {
        Step();
        SCOPED_TRACE(i);
        // The trigger goes along in every step in which the wheel turned and rolled.
        EXPECT_EQ(bomb->trigger->getPosition(), bomb->getPosition());
    }
    // It came on, and no faster than a wheel of radius 0.3 at the spin limit of 7 rad/s.
    float distance = bomb->getPosition().distance(avatar->getPosition());
    EXPECT_LT(distance, 5.0f);
    EXPECT_GT(distance, 6 - 2.1f);
}

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
