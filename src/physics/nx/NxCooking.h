// Cooking: turns point and triangle lists into the layer's cooked mesh files. Only the offline
// cooking tool and the tests cook; the game reads the results through createConvexMesh and
// createTriangleMesh.
#pragma once

#include "NxMeshes.h"
#include "NxStream.h"

class NxUserAllocator;
class NxUserOutputStream;

enum NxConvexFlags {
    NX_CF_COMPUTE_CONVEX = 1 << 0,  // the hull is always computed from the points
};

// The points of a hull; the triangles, if any, are not needed.
class NxConvexMeshDesc : public NxSimpleTriangleMesh {};

// A triangle mesh; NX_MF_FLIPNORMALS marks clockwise triangles.
class NxTriangleMeshDesc : public NxSimpleTriangleMesh {};

// Cooking keeps no state: these only exist so that callers read as with the SDK.
bool NxInitCooking(NxUserAllocator* allocator = nullptr, NxUserOutputStream* output = nullptr);
void NxCloseCooking();

// False, with a console line, when the points lie on one line. Coplanar points give a flat
// hull, which only static actors can use.
bool NxCookConvexMesh(const NxConvexMeshDesc& desc, NxStream& stream);
// False, with a console line, for a mesh without triangles or with an index out of range.
bool NxCookTriangleMesh(const NxTriangleMeshDesc& desc, NxStream& stream);
