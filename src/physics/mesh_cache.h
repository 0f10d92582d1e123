// Cooked meshes are read once per file, and CCD skeletons built once per model, and shared by
// every actor built from them: projectiles are built many times a second, and the SDK keeps its
// meshes and skeletons until the world is released.
#pragma once

#include "NxPhysics.h"

class Model;

// The mesh of a cooked file, read on first use; null when the file is missing or rejected.
NxConvexMesh* CookedConvexMesh(NxPhysicsSDK& sdk, const char* path);
NxTriangleMesh* CookedTriangleMesh(NxPhysicsSDK& sdk, const char* path);
// The place of a model's skeleton, null until one is built.
NxCCDSkeleton*& CachedSkeleton(Model* model);

// Forgets the meshes and skeletons made so far. The physics world calls it when it releases
// the SDK, which frees them.
void ForgetCookedMeshes();
