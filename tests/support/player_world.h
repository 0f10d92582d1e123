// A physics world as the level loader leaves it: the scene with its reports, the avatar, the
// particle system and the camera, plus static level pieces and enemies that a test places. Each
// test gets a fresh world at game time 100; the steps run the game's own passes on a fixed 1/60 s
// step, without a frame.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "NxPhysics.h"
#include "physics/physics_world.h"

class ModelObject;
class zvEnemy;

class PlayerWorld : public ::testing::Test {
protected:
    static constexpr double kStep = 1.0 / 60;

    void SetUp() override;
    void TearDown() override;

    // A static piece of the model store standing at `at` without rotation, built as the level
    // loader builds its models (walls run along x; floors have their top at at.y).
    ModelObject* AddStatic(const char* model, const NxVec3& at);
    // Puts the ball at `at`, at rest, and lets the avatar see where it is.
    void PlaceAvatar(const NxVec3& at);
    // The physics of game steps: simulate, then fetch the results with their reports.
    void Simulate(int steps = 1);
    // Whole steps without a frame: the game time moves on, then the physics, the projectile pass
    // and the enemy pass.
    void Step(int steps = 1);
    // An enemy of the kind standing at `at`, turned by `heading` about +Y, in the game's lists as
    // the level loader puts it there.
    template <class Kind>
    Kind* Add(const NxVec3& at, float heading = 0) {
        auto* enemy = new Kind(physicsScene);
        Place(enemy, at, heading);
        return enemy;
    }
    // The avatar as an enemy's trigger meets it: the enemy then tracks it.
    static void Notice(zvEnemy* enemy);

    // A muzzle at `at` that fires along +Z.
    static void MountAt(const NxVec3& at, float mount[16]);

private:
    void Place(zvEnemy* enemy, const NxVec3& at, float heading);

    std::vector<ModelObject*> pieces_;
};
