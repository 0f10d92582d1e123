// The fly: a flying cube without gravity. Once it has seen the avatar it hunts it wherever it
// goes: it keeps its nose and its minigun on it, fires once a second, and keeps its distance by
// flying forward, backward or sideways.
#pragma once

#include "enemies/enemy.h"

class Model;
class Weapon;

class CubeFly : public zvEnemy {
public:
    explicit CubeFly(NxScene* scene);
    ~CubeFly() override;
    // The body, then the wings: up and down in turn, every drawn frame.
    void draw() override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void update(double time) override;

    // The push, in the fly's own frame, that keeps it between 1 and 3 away from its target:
    // forward when farther, backward when nearer, sideways (circling) in between.
    static NxVec3 keepDistanceForce(float distance);

    Weapon* weapon = nullptr;  // a minigun of 100 shots at one a second, never refilled
    Model* wingsUpModel = nullptr;
    Model* wingsDownModel = nullptr;
    bool wingsUp = false;
    float yaw = 0;
    float pitch = 0;  // positive looks down
    double lastUpdateTime = 0;

protected:
    int32_t noticedState() const override { return ENEMY_ALERTED; }

private:
    void die();
};
