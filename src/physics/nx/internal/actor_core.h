// The engine side of an actor: its rigid body (static actors have one too, without mass), the
// frame offset between actor and body, and the forces and targets waiting for the next steps.
#pragma once

#include <btBulletDynamicsCommon.h>

#include <memory>

#include "internal/force_spread.h"

class NxActor;

namespace nx {

struct SceneCore;

struct ActorCore {
    ActorCore(NxActor& owner, SceneCore& scene, NxU32 serial)
        : owner(owner), scene(scene), serial(serial) {}

    NxActor& owner;
    SceneCore& scene;
    const NxU32 serial;  // creation order within the scene, never reused

    std::unique_ptr<btCollisionShape> ownShape;  // spheres and planes; meshes own theirs
    std::unique_ptr<btRigidBody> body;
    // The body frame (centre of mass on the principal axes) in the actor frame.
    btTransform principal = btTransform::getIdentity();
    btTransform principalInverse = btTransform::getIdentity();
    bool hasBody = false;  // dynamic or kinematic
    btScalar mass = 0;
    btVector3 inertia{0, 0, 0};
    NxU32 bodyFlags = 0;
    NxReal linearDamping = 0;
    NxReal angularDamping = 0;

    ForceSpread force;
    ForceSpread torque;
    // Set once the actor is given a torque: from then on it spins no faster than the old SDK's
    // default limit. Bodies turned only by contacts spin freely: the ball rolls at 75 rad/s,
    // and the game's feel was made with that.
    bool spinLimited = false;
    btVector3 stepForce{0, 0, 0};
    btVector3 stepTorque{0, 0, 0};

    bool hasTarget = false;
    btVector3 targetFrom{0, 0, 0};
    btVector3 target{0, 0, 0};

    bool isKinematic() const;
    btTransform actorPose() const;
    // Moves the actor at once (no velocity from the move) and refreshes its broadphase bounds.
    void teleport(const btTransform& actorPose);
    // The collision group bit and the engine's mass and flags follow bodyFlags.
    void applyBodyFlags(NxU32 previousFlags);
    void applyDamping();

    // The scene's stepping: once per simulate call, then before each of its `steps` sub-steps.
    void foldForces(NxReal callTime, NxReal stepTime);
    void beginSteps(NxU32 steps, NxReal stepTime);
    void beforeSubStep(NxU32 step, NxU32 steps, NxReal stepTime);
    void afterSubStep();
    // How much of the step's torque a spin-limited body may take without passing the limit
    // (the limit caps the spin during the step, not only after it).
    btScalar torqueShare(NxReal stepTime) const;
    void endSteps();
};

}  // namespace nx
