#include "physics/physics_world.h"

#include <cstdio>

#include "core/stop.h"
#include "physics/mesh_cache.h"

NxPhysicsSDK* physicsSDK = nullptr;
NxScene* physicsScene = nullptr;
NxVec3 gravity(0, -98.0f, 0);

void releasePhysics() {
    if (physicsSDK == nullptr) return;
    if (physicsScene != nullptr) physicsSDK->releaseScene(*physicsScene);
    physicsSDK->release();
    ForgetCookedMeshes();
    physicsScene = nullptr;
    physicsSDK = nullptr;
}

void StopPhysics(const char* message) {
    releasePhysics();
    StopGame(message);
}

Object* objectFromShape(NxShape* shape) {
    if (shape == nullptr) return nullptr;
    return static_cast<Object*>(shape->getActor().userData);
}
