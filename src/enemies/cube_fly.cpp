#include "enemies/cube_fly.h"

#include <cmath>

#include "physics/actor_holder.h"
#include "player/explosion.h"
#include "sound/sound.h"
#include "player/weapon.h"
#include "render/model.h"
#include "objects/actor_pose.h"

namespace {

constexpr float kTurnSpeed = 3.0f;  // rad/s, heading and pitch each

}  // namespace

CubeFly::CubeFly(NxScene* scene) : zvEnemy(2, 30) {
    setModel("cubefly_body");
    createActor("cubefly_body", scene, 1.0f, false, 0);
    NxActor* actor = body->actor;
    actor->setLinearDamping(1.0f);
    actor->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
    actor->setAngularDamping(10.0f);
    weapon = new Minigun(nullptr, 1.0f, 100, 100);
    wingsUpModel = GetModelByName("cubefly_wings_up");
    wingsDownModel = GetModelByName("cubefly_wings_down");
    addTrigger(scene);
}

CubeFly::~CubeFly() {
    delete weapon;
}

void CubeFly::draw() {
    float m[16];
    GetActorMatrix(body->actor, m);
    model->Render(m);
    (wingsUp ? wingsUpModel : wingsDownModel)->Render(m);
    wingsUp = !wingsUp;
}

void CubeFly::setPose(const NxVec3& position, const NxVec3& angles) {
    zvEnemy::setPose(position, angles);
    yaw = angles.y;
    pitch = angles.x;
}

void CubeFly::setMatrix(const float m[16]) {
    zvEnemy::setMatrix(m);
    yaw = HeadingOf(m);
    pitch = -std::asin(m[7]);
}

NxVec3 CubeFly::keepDistanceForce(float distance) {
    if (distance > 3.0f) return NxVec3(0, 0, 1.0f);
    if (distance < 1.0f) return NxVec3(0, 0, -1.0f);
    return NxVec3(0.5f, 0, 0);
}

void CubeFly::update(double time) {
    float dt = static_cast<float>(time - lastUpdateTime);
    lastUpdateTime = time;
    switch (state) {
        case ENEMY_ALERTED: lookForTarget(); break;
        case ENEMY_ACTIVE:
            // While not on target the fly neither fires nor pushes itself: it drifts, damped.
            if (canSee(getPosition()) &&
                aimActor(body->actor, yaw, pitch, target->getPosition() - getPosition(),
                         kTurnSpeed * dt)) {
                fireAhead(weapon, body->actor, time);
                body->addLocalForce(keepDistanceForce(targetDistance));
            }
            break;
        case ENEMY_DYING: die(); break;
        default: break;
    }
}

void CubeFly::die() {
    PlaySoundEvent(SoundEvent::EnemyDeath, getPosition());
    dropItem();
    explode(1.0f, 10.0f, getPosition());
    expired = true;
    state = ENEMY_DEAD;
}
