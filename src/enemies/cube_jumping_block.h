// The jumping block: a heavy block that, once it has seen the avatar, turns towards it and leaps
// at it at most once a second, the harder the farther the avatar is.
#pragma once

#include "enemies/enemy.h"

class CubeJumpingBlock : public zvEnemy {
public:
    explicit CubeJumpingBlock(NxScene* scene);
    // Touching the avatar costs it 10.
    void onContact(Object* other) override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void update(double time) override;

    float yaw = 0;
    double nextJumpTime = 0;  // absolute seconds
    double jumpInterval = 1.0;
    double lastUpdateTime = 0;

protected:
    int32_t noticedState() const override { return ENEMY_ALERTED; }

private:
    bool turn(float dt);
    void die();
};
