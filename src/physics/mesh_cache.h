// Cooked meshes are read once per file, and CCD skeletons built once per model, and shared by
// every actor built from them: projectiles are built many times a second, and the SDK keeps its
// meshes and skeletons until the world is released.
#pragma once

#include <string>

#include "NxPhysics.h"

class Model;

// Where the cooked mesh of the physics model `name` lies: "models\<name>.concave" for a triangle
// mesh, else "models\<name>.convex".
std::string CookedMeshPath(const char* name, bool concave);
// Why the cooked mesh of the physics model `name` at `path` cannot be had, and what to do about
// it: the file is missing, or it is not one the game can read.
std::string CookedMeshProblem(const char* name, const std::string& path);

// The mesh of a cooked file, read on first use; null when the file is missing (silently) or
// rejected (with a console line of the reader).
NxConvexMesh* CookedConvexMesh(NxPhysicsSDK& sdk, const char* path);
NxTriangleMesh* CookedTriangleMesh(NxPhysicsSDK& sdk, const char* path);
// The place of a model's skeleton, null until one is built.
NxCCDSkeleton*& CachedSkeleton(Model* model);

// Forgets the meshes and skeletons made so far. The physics world calls it when it releases
// the SDK, which frees them.
void ForgetCookedMeshes();
