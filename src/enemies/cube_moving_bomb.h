// The moving bomb: a spiked wheel that, once the avatar has entered its trigger, turns towards it
// whenever it can see it and rolls at it. Touching the avatar sets it off.
#pragma once

#include "enemies/enemy.h"

class Model;

class CubeMovingBomb : public zvEnemy {
public:
    explicit CubeMovingBomb(NxScene* scene);
    void draw() override;
    // Touching the avatar costs it 10 and sets the bomb off at its next update.
    void onContact(Object* other) override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void update(double time) override;

    Model* restModel = nullptr;  // the spikes, drawn with the wheel's pose
    float yaw = 0;
    double lastUpdateTime = 0;

protected:
    int32_t noticedState() const override { return ENEMY_ACTIVE; }

private:
    bool turnWheel(const NxVec3& from, float dt);
    void die();
};
