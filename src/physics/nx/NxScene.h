// A scene: actors, materials, reports, stepping and ray casts.
#pragma once

#include <memory>

#include "NxActorDesc.h"
#include "NxContactReport.h"
#include "NxDebugRenderable.h"
#include "NxRaycast.h"
#include "NxSceneDesc.h"
#include "NxTriggerReport.h"

class NxActor;
class NxPhysicsSDK;
struct NxParameters;
namespace nx {
struct SceneCore;
}

typedef NxU16 NxActorGroup;

enum NxSimulationStatus {
    NX_RIGID_BODY_FINISHED = 1 << 0,
};

class NxScene {
public:
    NxPhysicsSDK& getPhysicsSDK() const { return sdk_; }

    // Null, with a console line, when the descriptor is invalid (not exactly one shape, a
    // missing mesh, a dynamic actor without a positive density, an unknown material index).
    NxActor* createActor(const NxActorDesc& desc);
    // Releases the actor and everything that refers to it: its touching pairs, its trigger
    // overlaps (without leave events) and reports still waiting for fetchResults.
    void releaseActor(NxActor& actor);
    NxU32 getNbActors() const;

    NxMaterial* createMaterial(const NxMaterialDesc& desc);
    // The material at `index`, or the default material (index 0) for an unknown index.
    NxMaterial* getMaterialFromIndex(NxMaterialIndex index) const;

    // Every actor is in actor group 0; the flags of the pair (0, 0) decide whether touching
    // pairs are reported (NX_NOTIFY_ON_START_TOUCH).
    void setActorGroupPairFlags(NxActorGroup group1, NxActorGroup group2, NxU32 flags);
    NxU32 getActorGroupPairFlags(NxActorGroup group1, NxActorGroup group2) const;
    void setUserContactReport(NxUserContactReport* report);
    void setUserTriggerReport(NxUserTriggerReport* report);

    // Advances by whole fixed sub-steps (see NxSceneDesc); the reports of every sub-step wait
    // for fetchResults.
    void simulate(NxReal elapsedTime);
    void flushStream() {}
    // Delivers the waiting reports in sub-step order and answers true.
    bool fetchResults(NxSimulationStatus status, bool block = false, NxU32* errorState = nullptr);

    // The closest shape of the given kind that the ray hits within maxDist and whose group bit
    // is in groupsMask; null when there is none. Triangle meshes are hit from either side, so no
    // ray passes through a wall from behind; a ray that starts inside a convex shape or sphere
    // does not hit that shape. Trigger shapes are hit unless their group is masked out.
    NxShape* raycastClosestShape(const NxRay& worldRay, NxShapesType shapeType, NxRaycastHit& hit,
                                 NxU32 groupsMask, NxReal maxDist) const;

    const NxDebugRenderable* getDebugRenderable() const { return &debugRenderable_; }

    // For the layer's own code.
    NxScene(NxPhysicsSDK& sdk, const NxParameters& parameters, const NxSceneDesc& desc);
    ~NxScene();
    NxScene(const NxScene&) = delete;
    NxScene& operator=(const NxScene&) = delete;
    nx::SceneCore& core() const { return *core_; }

private:
    NxPhysicsSDK& sdk_;
    NxDebugRenderable debugRenderable_;
    std::unique_ptr<nx::SceneCore> core_;
};
