#include "enemies/cube_moving_bomb.h"

#include "enemies/turning.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "player/explosion.h"
#include "sound/sound.h"
#include "render/model.h"
#include "objects/actor_pose.h"
#include "objects/trigger.h"

namespace {

constexpr float kTurnSpeed = 100.0f;    // rad/s: the wheel faces the avatar almost at once
const NxVec3 kRollTorque(10.0f, 0, 0);  // about the wheel's axle: rolls it forward

}  // namespace

CubeMovingBomb::CubeMovingBomb(NxScene* scene) : zvEnemy(1, 20) {
    setModel("cube_moving_bomb_wheel");
    createActor("cube_moving_bomb_wheel", scene, 1.0f, false, 0);
    body->actor->setAngularDamping(0.0f);
    restModel = GetModelByName("cube_moving_bomb_rest");
    addTrigger(scene);
}

void CubeMovingBomb::draw() {
    float m[16];
    GetActorMatrix(body->actor, m);
    model->Render(m);
    restModel->Render(m);
}

void CubeMovingBomb::onContact(Object* other) {
    zvEnemy::onContact(other);
    if (other->type != OBJECT_TYPE_AVATAR || dying()) return;
    static_cast<Avatar*>(other)->takeDamage(10);
    state = ENEMY_DYING;
}

void CubeMovingBomb::setPose(const NxVec3& position, const NxVec3& angles) {
    zvEnemy::setPose(position, angles);
    yaw = angles.y;
}

void CubeMovingBomb::setMatrix(const float m[16]) {
    zvEnemy::setMatrix(m);
    yaw = HeadingOf(m);
}

void CubeMovingBomb::update(double time) {
    float dt = static_cast<float>(time - lastUpdateTime);
    lastUpdateTime = time;
    if (state == ENEMY_ACTIVE) {
        NxActor* wheel = body->actor;
        NxVec3 p = wheel->getGlobalPosition();
        if (canSee(p) && turnWheel(p, dt)) {
            wheel->addLocalTorque(kRollTorque, NX_FORCE, true);
            // The trigger goes along, so that the bomb keeps hearing the avatar where it is.
            trigger->setPose(wheel->getGlobalPosition(), NxVec3(0, 0, 0));
        }
    } else if (state == ENEMY_DYING) {
        die();
    }
}

// A turn about the world's vertical, which keeps the wheel's roll.
bool CubeMovingBomb::turnWheel(const NxVec3& from, float dt) {
    Turn turn = TurnTowards(headingDelta(yaw, target->getPosition() - from), kTurnSpeed * dt);
    yaw = WrapHeading(yaw + turn.angle);
    NxMat33 rotY;
    rotY.rotY(turn.angle);
    body->actor->setGlobalOrientation(rotY * body->actor->getGlobalOrientation());
    return turn.done;
}

void CubeMovingBomb::die() {
    PlaySoundEvent(SoundEvent::EnemyDeath, getPosition());
    explode(2.0f, 50.0f, getPosition());
    dropItem();
    expired = true;
    state = ENEMY_DEAD;
}
