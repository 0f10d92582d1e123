#include "internal/actor_core.h"

#include "NxActorDesc.h"
#include "internal/bullet_convert.h"
#include "internal/scene_core.h"

namespace nx {

namespace {

btVector3 FreeAxes(NxU32 flags, NxU32 x, NxU32 y, NxU32 z) {
    return {(flags & x) ? 0.0f : 1.0f, (flags & y) ? 0.0f : 1.0f, (flags & z) ? 0.0f : 1.0f};
}

// The old SDK's default limit of a body's angular speed, in rad/s: a wheel driven by a torque
// every frame settles at it instead of spinning up without end.
constexpr btScalar kMaxAngularSpeed = 7.0f;

// The engine scales velocities by (1 - d)^dt per step, so d = 1 - exp(-c) decays them as
// exp(-c t) exactly, for any c >= 0 (the engine clamps d to [0, 1]).
btScalar EngineDamping(NxReal rate) {
    return 1.0f - std::exp(-std::max(rate, 0.0f));
}

}  // namespace

bool ActorCore::isKinematic() const {
    return (bodyFlags & NX_BF_KINEMATIC) != 0;
}

btTransform ActorCore::actorPose() const {
    return body->getWorldTransform() * principalInverse;
}

void ActorCore::teleport(const btTransform& pose) {
    btTransform bodyPose = pose * principal;
    body->setWorldTransform(bodyPose);
    body->setInterpolationWorldTransform(bodyPose);
    hasTarget = false;
    if (hasBody && !isKinematic()) body->activate(true);
    scene.bullet.world.updateSingleAabb(body.get());
}

void ActorCore::applyDamping() {
    body->setDamping(EngineDamping(linearDamping), EngineDamping(angularDamping));
}

void ActorCore::applyBodyFlags(NxU32 previous) {
    NxU32 changed = previous ^ bodyFlags;
    if (changed & NX_BF_DISABLE_GRAVITY) {
        bool off = bodyFlags & NX_BF_DISABLE_GRAVITY;
        // Without the engine's flag the world would hand the gravity back on the next re-add.
        int engineFlags = body->getFlags();
        body->setFlags(off ? engineFlags | BT_DISABLE_WORLD_GRAVITY
                           : engineFlags & ~BT_DISABLE_WORLD_GRAVITY);
        body->setGravity(off ? btVector3(0, 0, 0) : scene.gravity);
    }
    if (changed & NX_BF_FROZEN) {
        btVector3 linear =
            FreeAxes(bodyFlags, NX_BF_FROZEN_POS_X, NX_BF_FROZEN_POS_Y, NX_BF_FROZEN_POS_Z);
        btVector3 angular =
            FreeAxes(bodyFlags, NX_BF_FROZEN_ROT_X, NX_BF_FROZEN_ROT_Y, NX_BF_FROZEN_ROT_Z);
        body->setLinearFactor(linear);
        body->setAngularFactor(angular);
        body->setLinearVelocity(body->getLinearVelocity() * linear);
        body->setAngularVelocity(body->getAngularVelocity() * angular);
    }
    if (changed & NX_BF_KINEMATIC) {
        // The world sorts bodies into static and moving when they are added, so the body
        // leaves and re-enters it. A kinematic body has no mass: the solver then treats it as
        // immovable, as it must be.
        scene.removeBody(*this);
        int collision = body->getCollisionFlags();
        if (isKinematic()) {
            body->setMassProps(0, btVector3(0, 0, 0));
            body->setCollisionFlags(collision | btCollisionObject::CF_KINEMATIC_OBJECT);
            body->setLinearVelocity(btVector3(0, 0, 0));
            body->setAngularVelocity(btVector3(0, 0, 0));
            body->forceActivationState(DISABLE_DEACTIVATION);
        } else {
            body->setMassProps(mass, inertia);
            body->setCollisionFlags(collision & ~btCollisionObject::CF_KINEMATIC_OBJECT);
            body->forceActivationState(ACTIVE_TAG);
            hasTarget = false;
        }
        body->updateInertiaTensor();
        scene.addBody(*this);
        if (bodyFlags & NX_BF_DISABLE_GRAVITY) body->setGravity(btVector3(0, 0, 0));
    }
}

void ActorCore::foldForces(NxReal callTime, NxReal stepTime) {
    if (!force.idle()) force.fold(callTime, stepTime);
    if (!torque.idle()) torque.fold(callTime, stepTime);
}

void ActorCore::beginSteps(NxU32 steps, NxReal stepTime) {
    stepForce = ToBt(force.take(steps, stepTime));
    stepTorque = ToBt(torque.take(steps, stepTime));
    if (hasTarget) targetFrom = actorPose().getOrigin();
}

void ActorCore::beforeSubStep(NxU32 step, NxU32 steps, NxReal stepTime) {
    if (hasTarget) {
        // The way to the target is shared evenly by the call's sub-steps; the engine derives
        // the kinematic velocity from each move.
        btTransform pose = actorPose();
        pose.setOrigin(targetFrom.lerp(target, static_cast<btScalar>(step) / steps));
        body->setWorldTransform(pose * principal);
        return;
    }
    if (isKinematic()) return;
    if (!stepForce.isZero()) body->applyCentralForce(stepForce);
    if (!stepTorque.isZero()) body->applyTorque(stepTorque * torqueShare(stepTime));
}

btScalar ActorCore::torqueShare(NxReal stepTime) const {
    if (!spinLimited) return 1;
    // The spin the whole torque would add in one step, and what is left to the limit.
    btVector3 gain = body->getInvInertiaTensorWorld() * stepTorque * stepTime;
    btVector3 spin = body->getAngularVelocity();
    if ((spin + gain).length2() <= kMaxAngularSpeed * kMaxAngularSpeed) return 1;
    btScalar room = kMaxAngularSpeed - spin.length();
    return room > 0 ? btMin(btScalar(1), room / gain.length()) : 0;
}

void ActorCore::afterSubStep() {
    if (!spinLimited) return;
    btVector3 spin = body->getAngularVelocity();
    if (spin.length2() > kMaxAngularSpeed * kMaxAngularSpeed)
        body->setAngularVelocity(spin * (kMaxAngularSpeed / spin.length()));
}

void ActorCore::endSteps() {
    hasTarget = false;
}

}  // namespace nx
