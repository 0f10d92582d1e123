#include "enemies/cube_cannon.h"

#include <cmath>
#include <cstdio>

#include "physics/actor_holder.h"
#include "player/explosion.h"
#include "sound/sound.h"
#include "player/weapon.h"
#include "render/model.h"
#include "objects/actor_pose.h"
#include "objects/trigger.h"

namespace {

constexpr float kGunHeight = 0.5f;  // the gun turns this far above the plate's origin
constexpr float kTurnSpeed = 3.0f;  // rad/s, heading and pitch each

}  // namespace

CubeCannon::CubeCannon(NxScene* scene) : zvEnemy(0, 50) {
    setModel("cube_cannon_plate");
    createActor("cube_cannon_plateCO", scene, 0.0f, false, 0);
    gunModel = GetModelByName("cube_cannon_gun");
    gunBody = ActorHolder::createConvex(scene, this, gunModel, "cube_cannon_gun", 1.0f, 0);
    NxActor* gun = gunBody->actor;
    gun->raiseBodyFlag(NX_BF_FROZEN_POS | NX_BF_FROZEN_ROT_Z | NX_BF_DISABLE_GRAVITY);
    gun->setAngularDamping(10.0f);
    SetActorPose(gun, NxVec3(0, kGunHeight, 0), NxVec3(0, 0, 0));
    weapon = new Minigun(nullptr, 0.2f, 100, 100);
    addTrigger(scene);
}

CubeCannon::~CubeCannon() {
    delete weapon;
}

void CubeCannon::draw() {
    ModelObject::draw();
    float m[16];
    GetActorMatrix(gunBody->actor, m);
    gunModel->Render(m);
}

void CubeCannon::setPose(const NxVec3& position, const NxVec3& angles) {
    zvEnemy::setPose(position, angles);
    gunYaw = angles.y;
    SetActorPose(gunBody->actor, position + NxVec3(0, kGunHeight, 0), angles);
}

void CubeCannon::setMatrix(const float m[16]) {
    gunYaw = HeadingOf(m);
    gunPitch = -std::asin(m[7]);
    ModelObject::setMatrix(m);
    float raised[16];
    for (int i = 0; i < 16; ++i) raised[i] = m[i];
    raised[13] += kGunHeight;
    SetActorMatrix(gunBody->actor, raised);
    if (trigger != nullptr) trigger->setMatrix(raised);
}

void CubeCannon::release() {
    zvEnemy::release();
    delete gunBody;
    gunBody = nullptr;
    std::printf("canon unloaded\n");
}

void CubeCannon::onTriggerLeave(Trigger* volume, Object* other) {
    if (other->type != OBJECT_TYPE_AVATAR) return;
    if (!dying()) state = ENEMY_IDLE;
    volume->occupied = false;
    target = nullptr;
}

void CubeCannon::update(double time) {
    float dt = static_cast<float>(time - lastUpdateTime);
    lastUpdateTime = time;
    if (state == ENEMY_ACTIVE) {
        NxActor* gun = gunBody->actor;
        NxVec3 g = gun->getGlobalPosition();
        if (canSee(g) &&
            aimActor(gun, gunYaw, gunPitch, target->getPosition() - g, kTurnSpeed * dt))
            fireAhead(weapon, gun, time);
    } else if (state == ENEMY_DYING) {
        die();
    }
}

void CubeCannon::die() {
    PlaySoundEvent(SoundEvent::EnemyDeath, gunBody->actor->getGlobalPosition());
    dropItem();
    explode(1.0f, 10.0f, gunBody->actor->getGlobalPosition());
    expired = true;
    releaseTrigger();
    delete gunBody;
    gunBody = nullptr;
}
