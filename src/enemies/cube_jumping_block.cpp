#include "enemies/cube_jumping_block.h"

#include "enemies/turning.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "player/explosion.h"
#include "sound/sound.h"

namespace {

constexpr float kTurnSpeed = 2.0f;  // rad/s, heading only
constexpr float kLeapUp = 400.0f;
constexpr float kLeapForwardPerDistance = 100.0f;

}  // namespace

CubeJumpingBlock::CubeJumpingBlock(NxScene* scene) : zvEnemy(3, 200) {
    setModel("cubejumpingblock");
    createActor("cubejumpingblock", scene, 1.0f, false, 0);
    NxActor* actor = body->actor;
    actor->setLinearDamping(5.0f);
    actor->raiseBodyFlag(NX_BF_FROZEN_ROT_Z);
    actor->setAngularDamping(10.0f);
    addTrigger(scene);
}

void CubeJumpingBlock::onContact(Object* other) {
    zvEnemy::onContact(other);
    if (other->type == OBJECT_TYPE_AVATAR) static_cast<Avatar*>(other)->takeDamage(10);
}

void CubeJumpingBlock::setPose(const NxVec3& position, const NxVec3& angles) {
    zvEnemy::setPose(position, angles);
    yaw = angles.y;
}

void CubeJumpingBlock::setMatrix(const float m[16]) {
    zvEnemy::setMatrix(m);
    yaw = HeadingOf(m);
}

void CubeJumpingBlock::update(double time) {
    float dt = static_cast<float>(time - lastUpdateTime);
    lastUpdateTime = time;
    switch (state) {
        case ENEMY_ALERTED: lookForTarget(); break;
        case ENEMY_ACTIVE:
            if (canSee(getPosition()) && turn(dt) && nextJumpTime <= time) {
                nextJumpTime = time + jumpInterval;
                // Up and forward: after the turn the block's +Z faces the avatar.
                body->addLocalForce(NxVec3(0, kLeapUp, targetDistance * kLeapForwardPerDistance));
                PlaySoundEvent(SoundEvent::BlockLeap, getPosition());
            }
            break;
        case ENEMY_DYING: die(); break;
        default: break;
    }
}

bool CubeJumpingBlock::turn(float dt) {
    bool done =
        TurnHeading(yaw, headingDelta(yaw, target->getPosition() - getPosition()), kTurnSpeed * dt);
    NxMat33 rotY;
    rotY.rotY(yaw);
    body->actor->setGlobalOrientation(rotY);
    return done;
}

void CubeJumpingBlock::die() {
    PlaySoundEvent(SoundEvent::EnemyDeath, getPosition());
    dropItem();
    explode(1.0f, 10.0f, getPosition() + NxVec3(0, 0.2f, 0));
    expired = true;
    state = ENEMY_DEAD;
}
