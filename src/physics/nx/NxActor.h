// An actor: one shape, static (no body), dynamic or kinematic.
#pragma once

#include <memory>

#include "NxActorDesc.h"
#include "NxShape.h"

class NxScene;
namespace nx {
struct ActorCore;
struct SceneCore;
}  // namespace nx

enum NxForceMode {
    NX_FORCE = 0,  // a force in units of mass * distance / time^2
};

class NxActor {
public:
    void* userData = nullptr;

    NxScene& getScene() const { return scene_; }
    bool isDynamic() const;  // true for dynamic and kinematic actors
    NxReal getMass() const;  // 0 for static actors

    NxU32 getNbShapes() const { return 1; }
    NxShape* const* getShapes() const { return &shapePointer_; }

    // Poses of the actor's frame. Setting one teleports the actor and wakes it.
    NxMat34 getGlobalPose() const;
    void setGlobalPose(const NxMat34& pose);
    NxVec3 getGlobalPosition() const;
    void setGlobalPosition(const NxVec3& position);
    NxMat33 getGlobalOrientation() const;
    void setGlobalOrientation(const NxMat33& orientation);
    // Kinematic actors: the position to reach by the end of the next simulate call that runs a
    // step. Until then getGlobalPosition answers with the target.
    void moveGlobalPosition(const NxVec3& position);

    // Velocities decay as exp(-damping * t), for any damping >= 0.
    void setLinearDamping(NxReal damping);
    void setAngularDamping(NxReal damping);
    NxReal getLinearDamping() const;
    NxReal getAngularDamping() const;

    // Velocities of the centre of mass.
    NxVec3 getLinearVelocity() const;
    void setLinearVelocity(const NxVec3& velocity);
    NxVec3 getAngularVelocity() const;

    // Forces act on the centre of mass from the next simulate call on (see force_spread.h for
    // how a force given once, or every frame, is spread over the fixed steps). Local forces and
    // torques are turned into the world frame with the actor's orientation at the time of the
    // call.
    void addForce(const NxVec3& force, NxForceMode mode = NX_FORCE, bool wakeup = true);
    void addLocalForce(const NxVec3& force, NxForceMode mode = NX_FORCE, bool wakeup = true);
    void addTorque(const NxVec3& torque, NxForceMode mode = NX_FORCE, bool wakeup = true);
    void addLocalTorque(const NxVec3& torque, NxForceMode mode = NX_FORCE, bool wakeup = true);

    // NxBodyFlag values or their sums. Static actors ignore body calls.
    void raiseBodyFlag(NxU32 flags);
    void clearBodyFlag(NxU32 flags);
    bool readBodyFlag(NxU32 flag) const;

    // For the layer's own code.
    NxActor(NxScene& scene, nx::SceneCore& sceneCore, NxShapeType type, NxMaterialIndex material);
    ~NxActor();
    NxActor(const NxActor&) = delete;
    NxActor& operator=(const NxActor&) = delete;
    nx::ActorCore& core() const { return *core_; }
    NxShape& shape() { return shape_; }

private:
    NxScene& scene_;
    NxShape shape_;
    NxShape* shapePointer_;
    std::unique_ptr<nx::ActorCore> core_;
};
