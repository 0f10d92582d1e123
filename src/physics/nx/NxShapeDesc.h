// Shape descriptors: what createActor builds an actor's shape from.
#pragma once

#include "NxMaterial.h"
#include "NxVec3.h"

class NxConvexMesh;
class NxTriangleMesh;

enum NxShapeType {
    NX_SHAPE_PLANE = 0,
    NX_SHAPE_SPHERE = 1,
    NX_SHAPE_CONVEX = 5,
    NX_SHAPE_MESH = 6,
};

class NxShapeDesc {
public:
    const NxShapeType type;
    NxMaterialIndex materialIndex = 0;

protected:
    explicit NxShapeDesc(NxShapeType type) : type(type) {}
};

class NxSphereShapeDesc : public NxShapeDesc {
public:
    NxSphereShapeDesc() : NxShapeDesc(NX_SHAPE_SPHERE) {}
    NxReal radius = 1;
};

// The plane normal . x = d, solid on the side opposite the normal (normal . x < d).
class NxPlaneShapeDesc : public NxShapeDesc {
public:
    NxPlaneShapeDesc() : NxShapeDesc(NX_SHAPE_PLANE) {}
    NxVec3 normal{0, 1, 0};
    NxReal d = 0;
};

class NxConvexShapeDesc : public NxShapeDesc {
public:
    NxConvexShapeDesc() : NxShapeDesc(NX_SHAPE_CONVEX) {}
    NxConvexMesh* meshData = nullptr;
};

class NxTriangleMeshShapeDesc : public NxShapeDesc {
public:
    NxTriangleMeshShapeDesc() : NxShapeDesc(NX_SHAPE_MESH) {}
    NxTriangleMesh* meshData = nullptr;
};
