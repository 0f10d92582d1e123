#include "enemies/enemy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/globals.h"
#include "enemies/turning.h"
#include "physics/actor_holder.h"
#include "physics/physics_world.h"
#include "player/weapon.h"
#include "scene/pickup_items.h"
#include "objects/trigger.h"
#include "sound/sound.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int32_t kProjectileDamage = 10;
constexpr float kSightRange = 3000.0f;
constexpr float kMuzzleDistance = 1.0f;
// All kinds notice the avatar with the same volume.
const char* const kTriggerModel = "cube_cannon_trigger";
// What each kind sounds like when it notices the avatar, by kind.
constexpr SoundEvent kNoticeSounds[] = {SoundEvent::CannonNotice, SoundEvent::BombNotice,
                                        SoundEvent::FlyNotice, SoundEvent::BlockNotice};

}  // namespace

zvEnemy::zvEnemy(int32_t kind_, int32_t health_) : kind(kind_), health(health_) {
    type = OBJECT_TYPE_ENEMY;
}

void zvEnemy::addTrigger(NxScene* scene) {
    trigger = new ObjectTrigger(this, kTriggerModel, scene);
}

void zvEnemy::onContact(Object* other) {
    if (other->type == OBJECT_TYPE_PROJECTILE) takeDamage(kProjectileDamage);
}

void zvEnemy::setPose(const NxVec3& position, const NxVec3& angles) {
    ModelObject::setPose(position, angles);
    if (trigger != nullptr) trigger->setPose(position, angles);
}

void zvEnemy::setMatrix(const float m[16]) {
    ModelObject::setMatrix(m);
    if (trigger != nullptr) trigger->setMatrix(m);
}

void zvEnemy::release() {
    ModelObject::release();
    releaseTrigger();
}

void zvEnemy::onTriggerEnter(Trigger* volume, Object* other) {
    if (other->type != OBJECT_TYPE_AVATAR) return;
    target = other;
    if (state == ENEMY_IDLE) PlaySoundEvent(kNoticeSounds[kind], getPosition());
    // A dying enemy stays dying: the avatar's arrival in the same step must not revive it.
    if (!dying()) state = noticedState();
    volume->occupied = true;
}

void zvEnemy::onTriggerLeave(Trigger* volume, Object* other) {
    if (other->type == OBJECT_TYPE_AVATAR) volume->occupied = false;
}

void zvEnemy::update(double) {}

void zvEnemy::takeDamage(int32_t amount) {
    if (health - amount < 1) {
        health = 0;
        state = ENEMY_DYING;
    } else {
        health -= amount;
    }
}

bool zvEnemy::canSee(const NxVec3& from) {
    if (target == nullptr) return false;
    NxVec3 direction = target->getPosition() - from;
    direction.normalize();
    NxRaycastHit hit;
    NxShape* shape = body->actor->getScene().raycastClosestShape(
        NxRay(from, direction), NX_ALL_SHAPES, hit, 1, kSightRange);
    if (objectFromShape(shape) != target) return false;
    targetDistance = hit.distance;
    return true;
}

float zvEnemy::headingDelta(float current, const NxVec3& d) {
    if (d.x == 0 && d.z == 0) return 0;
    // Rounding can push the quotient just past +-1, where acos has no value.
    float cosine = std::clamp(d.z / std::sqrt(d.x * d.x + d.z * d.z), -1.0f, 1.0f);
    float heading = d.x > 0 ? std::acos(cosine) : 2 * kPi - std::acos(cosine);
    float error = current - heading;
    if (error > kPi) error -= 2 * kPi;
    if (error < -kPi) error += 2 * kPi;
    return -error;
}

float zvEnemy::pitchDelta(float current, const NxVec3& d) {
    if (d.x == 0 && d.y == 0) return 0;
    // Straight above or below, the quotient is infinite and the aim is +-pi/2.
    return -(std::atan(d.y / std::sqrt(d.x * d.x + d.z * d.z)) + current);
}

void zvEnemy::dropItem() {
    ModelObject* item = NewDroppedItem(std::rand() % 10001, &body->actor->getScene());
    float* m = getMatrix();
    item->setMatrix(m);
    delete[] m;
    objects.push_back(item);
}

void zvEnemy::lookForTarget() {
    if (!canSee(getPosition())) return;
    releaseTrigger();
    state = ENEMY_ACTIVE;
}

void zvEnemy::releaseTrigger() {
    if (trigger == nullptr) return;
    trigger->release();
    delete trigger;
    trigger = nullptr;
}

bool zvEnemy::aimActor(NxActor* actor, float& heading, float& pitch, const NxVec3& direction,
                       float step) {
    float headingError = headingDelta(heading, direction);
    float pitchError = pitchDelta(pitch, direction);
    bool headingDone = TurnHeading(heading, headingError, step);
    bool pitchDone = TurnPitch(pitch, pitchError, step);
    NxMat33 rotY, rotX;
    rotY.rotY(heading);
    rotX.rotX(pitch);
    actor->setGlobalOrientation(rotY * rotX);
    return headingDone && pitchDone;
}

void zvEnemy::fireAhead(Weapon* weapon, NxActor* actor, double time) {
    NxMat34 muzzle = actor->getGlobalPose();
    muzzle.t = muzzle * NxVec3(0, 0, kMuzzleDistance);
    float m[16];
    muzzle.getColumnMajor44(m);
    weapon->fire(&actor->getScene(), time, m);
}

float HeadingOf(const float m[16]) {
    // The model's z axis is the third column: (sin heading, 0, cos heading) for a turn about +Y.
    return WrapHeading(std::atan2(m[8], m[10]));
}
