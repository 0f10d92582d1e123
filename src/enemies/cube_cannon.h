// The cube cannon: a stationary turret on a fixed plate. While the avatar is inside its trigger it
// turns its gun towards it, heading and pitch at 3 rad/s each, and fires its minigun whenever the
// gun is on target. It stops tracking as soon as the avatar leaves.
#pragma once

#include "enemies/enemy.h"

class ActorHolder;
class Model;
class Weapon;

class CubeCannon : public zvEnemy {
public:
    explicit CubeCannon(NxScene* scene);
    ~CubeCannon() override;
    void draw() override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    // The plate takes m; the gun and the trigger stand 0.5 higher.
    void setMatrix(const float m[16]) override;
    void release() override;
    void onTriggerLeave(Trigger* trigger, Object* other) override;
    void update(double time) override;

    Model* gunModel = nullptr;
    ActorHolder* gunBody;      // the turning gun; null after death
    Weapon* weapon = nullptr;  // a minigun of 100 shots, never refilled
    float gunYaw = 0;
    float gunPitch = 0;  // positive points down
    double lastUpdateTime = 0;

protected:
    int32_t noticedState() const override { return ENEMY_ACTIVE; }

private:
    void die();
};
