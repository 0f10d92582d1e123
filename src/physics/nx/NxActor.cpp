// Actors. Every call that moves a body or gives it a force or velocity wakes it (when asked
// to): bodies fall asleep after resting for two seconds below the engine's velocity
// thresholds, which is what the body descriptor's sleep energy stands for here.
#include "NxActor.h"

#include "internal/actor_core.h"
#include "internal/bullet_convert.h"
#include "internal/scene_core.h"

using nx::ToBt;
using nx::ToNx;

NxActor::NxActor(NxScene& scene, nx::SceneCore& sceneCore, NxShapeType type,
                 NxMaterialIndex material)
    : scene_(scene),
      shape_(*this, type, material),
      shapePointer_(&shape_),
      core_(std::make_unique<nx::ActorCore>(*this, sceneCore, sceneCore.nextSerial++)) {
    shape_.attach(*core_);
}

NxActor::~NxActor() = default;

bool NxActor::isDynamic() const {
    return core_->hasBody;
}

NxReal NxActor::getMass() const {
    return core_->mass;
}

NxMat34 NxActor::getGlobalPose() const {
    NxMat34 pose = ToNx(core_->actorPose());
    if (core_->hasTarget) pose.t = ToNx(core_->target);
    return pose;
}

void NxActor::setGlobalPose(const NxMat34& pose) {
    core_->teleport(ToBt(pose));
}

NxVec3 NxActor::getGlobalPosition() const {
    if (core_->hasTarget) return ToNx(core_->target);
    return ToNx(core_->actorPose().getOrigin());
}

void NxActor::setGlobalPosition(const NxVec3& position) {
    btTransform pose = core_->actorPose();
    pose.setOrigin(ToBt(position));
    core_->teleport(pose);
}

NxMat33 NxActor::getGlobalOrientation() const {
    return ToNx(core_->actorPose().getBasis());
}

void NxActor::setGlobalOrientation(const NxMat33& orientation) {
    btTransform pose = core_->actorPose();
    if (core_->hasTarget) pose.setOrigin(core_->target);
    pose.setBasis(ToBt(orientation));
    core_->teleport(pose);
}

void NxActor::moveGlobalPosition(const NxVec3& position) {
    if (!core_->isKinematic()) return;
    core_->target = ToBt(position);
    core_->hasTarget = true;
}

void NxActor::setLinearDamping(NxReal damping) {
    core_->linearDamping = damping;
    core_->applyDamping();
}

void NxActor::setAngularDamping(NxReal damping) {
    core_->angularDamping = damping;
    core_->applyDamping();
}

NxReal NxActor::getLinearDamping() const {
    return core_->linearDamping;
}

NxReal NxActor::getAngularDamping() const {
    return core_->angularDamping;
}

NxVec3 NxActor::getLinearVelocity() const {
    return ToNx(core_->body->getLinearVelocity());
}

void NxActor::setLinearVelocity(const NxVec3& velocity) {
    if (!core_->hasBody || core_->isKinematic()) return;
    core_->body->setLinearVelocity(ToBt(velocity) * core_->body->getLinearFactor());
    core_->body->activate(true);
}

NxVec3 NxActor::getAngularVelocity() const {
    return ToNx(core_->body->getAngularVelocity());
}

void NxActor::addForce(const NxVec3& force, NxForceMode, bool wakeup) {
    if (!core_->hasBody) return;
    core_->force.add(force);
    if (wakeup) core_->body->activate(true);
}

void NxActor::addLocalForce(const NxVec3& force, NxForceMode mode, bool wakeup) {
    addForce(getGlobalOrientation() * force, mode, wakeup);
}

void NxActor::addTorque(const NxVec3& torque, NxForceMode, bool wakeup) {
    if (!core_->hasBody) return;
    core_->torque.add(torque);
    core_->spinLimited = true;
    if (wakeup) core_->body->activate(true);
}

void NxActor::addLocalTorque(const NxVec3& torque, NxForceMode mode, bool wakeup) {
    addTorque(getGlobalOrientation() * torque, mode, wakeup);
}

void NxActor::raiseBodyFlag(NxU32 flags) {
    if (!core_->hasBody) return;
    NxU32 previous = core_->bodyFlags;
    core_->bodyFlags |= flags;
    core_->applyBodyFlags(previous);
}

void NxActor::clearBodyFlag(NxU32 flags) {
    if (!core_->hasBody) return;
    NxU32 previous = core_->bodyFlags;
    core_->bodyFlags &= ~flags;
    core_->applyBodyFlags(previous);
}

bool NxActor::readBodyFlag(NxU32 flag) const {
    return (core_->bodyFlags & flag) != 0;
}
