// A physics world as the level loader leaves it for the player: the scene with its reports, the
// avatar, the particle system and the camera, plus static level pieces that a test places. Each
// test gets a fresh world; the steps run the game's own passes on a fixed 1/60 s step.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "NxPhysics.h"

class ModelObject;

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
    // The physics of one game step: simulate, then fetch the results with their reports.
    void Simulate(double dt = kStep);
    // A whole step as far as the player's objects go: the physics, then the projectile pass.
    void Step(double dt = kStep);

    // A muzzle at `at` that fires along +Z.
    static void MountAt(const NxVec3& at, float mount[16]);

private:
    std::vector<ModelObject*> pieces_;
};
