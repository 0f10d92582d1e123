#include "world/init_physics.h"

#include <cstdio>
#include <memory>

#include "physics/physics_world.h"
#include "world/reports.h"

namespace {
// The reports outlive the scene, which keeps only pointers to them; the next world (in the tests)
// gets new ones, and the last go at exit.
std::unique_ptr<TriggerReport> triggerReport;
std::unique_ptr<ContactReport> contactReport;
}  // namespace

void initPhysics() {
    physicsSDK =
        NxCreatePhysicsSDK(NX_PHYSICS_SDK_VERSION, nullptr, nullptr, NxPhysicsSDKDesc(), nullptr);
    if (physicsSDK == nullptr) StopPhysics("Cannot start: NxCreatePhysicsSDK failed");
    physicsSDK->setParameter(NX_BOUNCE_THRESHOLD, -10.0f);
    physicsSDK->setParameter(NX_SKIN_WIDTH, 0.01f);
    physicsSDK->setParameter(NX_CONTINUOUS_CD, 1.0f);
    physicsSDK->setParameter(NX_CCD_EPSILON, 0.001f);

    NxSceneDesc sceneDesc;
    sceneDesc.gravity = gravity;
    sceneDesc.simType = NX_SIMULATION_SW;
    physicsScene = physicsSDK->createScene(sceneDesc);
    if (physicsScene == nullptr) StopPhysics("Cannot start: the physics scene cannot be created");

    NxMaterial* defaultMaterial = physicsScene->getMaterialFromIndex(0);
    defaultMaterial->setRestitution(0.6f);
    defaultMaterial->setStaticFriction(0.9f);
    defaultMaterial->setDynamicFriction(0.9f);

    triggerReport = std::make_unique<TriggerReport>(physicsScene);
    contactReport = std::make_unique<ContactReport>(physicsScene);

    // The avatar's sphere names material 1 without looking it up.
    NxMaterialDesc materialDesc;
    materialDesc.restitution = 0.6f;
    materialDesc.dynamicFriction = 0.9f;
    materialDesc.staticFriction = 0.9f;
    NxMaterial* avatarMaterial = physicsScene->createMaterial(materialDesc);
    std::printf("materialIndex 1: %i\n", avatarMaterial->getMaterialIndex());

    materialDesc.restitution = 0.0f;
    materialDesc.dynamicFriction = 0.01f;
    materialDesc.staticFriction = 0.01f;
    physicsScene->getMaterialFromIndex(
        physicsScene->createMaterial(materialDesc)->getMaterialIndex());
}
