#include "enemy_world.h"

#include "core/globals.h"
#include "app/shell.h"
#include "enemies/enemy.h"
#include "player/avatar.h"
#include "objects/trigger.h"

void EnemyWorld::SetUp() {
    PlayerWorld::SetUp();
    gameTime = 100.0;
}

void EnemyWorld::TearDown() {
    // What the enemy pass has not freed yet goes as the level's unloading takes it down.
    for (Object* o : objects) {
        o->release();
        delete o;
    }
    objects.clear();
    enemies.clear();
    PlayerWorld::TearDown();
}

void EnemyWorld::Place(zvEnemy* enemy, const NxVec3& at, float heading) {
    enemy->setPose(at, NxVec3(0, heading, 0));
    objects.push_back(enemy);
    enemies.push_back(enemy);
}

void EnemyWorld::Step() {
    gameTime += kStep;
    Simulate();
    UpdateProjectiles(kStep);
    UpdateEnemies();
}

void EnemyWorld::Notice(zvEnemy* enemy) {
    enemy->onTriggerEnter(enemy->trigger, avatar);
}
