// The player's physics world with enemies and items in the game's lists: enemies are added to
// both `objects` and `enemies` as the level loader adds them, and a step runs the game's own
// passes up to the enemy pass, without a frame.
#pragma once

#include "physics/physics_world.h"
#include "support/player_world.h"

class zvEnemy;

class EnemyWorld : public PlayerWorld {
protected:
    void SetUp() override;
    void TearDown() override;

    // An enemy of the kind standing at `at`, turned by `heading` about +Y.
    template <class Kind>
    Kind* Add(const NxVec3& at, float heading = 0) {
        auto* enemy = new Kind(physicsScene);
        Place(enemy, at, heading);
        return enemy;
    }
    // One game step without a frame: the physics, the projectile pass and the enemy pass, at a
    // game time one step later.
    void Step();
    // The avatar as an enemy's trigger meets it: the enemy then tracks it.
    static void Notice(zvEnemy* enemy);

private:
    void Place(zvEnemy* enemy, const NxVec3& at, float heading);
};
