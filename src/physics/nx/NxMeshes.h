// Collision meshes made by the SDK object: convex hulls and triangle meshes read from cooked
// files, and CCD skeletons built from plain triangle lists. The SDK object owns them all until
// it is released.
#pragma once

#include <memory>

#include "NxVec3.h"

enum NxMeshFlags {
    NX_MF_FLIPNORMALS = 1 << 0,  // triangles are wound clockwise seen from outside
};

// A plain triangle list: `points` every pointStrideBytes, three NxU32 indices every
// triangleStrideBytes.
class NxSimpleTriangleMesh {
public:
    NxU32 numVertices = 0;
    NxU32 numTriangles = 0;
    NxU32 pointStrideBytes = 0;
    NxU32 triangleStrideBytes = 0;
    const void* points = nullptr;
    const void* triangles = nullptr;
    NxU32 flags = 0;

    void setToDefault() { *this = NxSimpleTriangleMesh(); }
};

namespace nx {
struct ConvexMeshData;
struct TriangleMeshData;
}  // namespace nx

// A convex hull in the frame of its principal axes, with its exact mass properties.
class NxConvexMesh {
public:
    explicit NxConvexMesh(std::unique_ptr<nx::ConvexMeshData> data);
    ~NxConvexMesh();
    nx::ConvexMeshData& data() const { return *data_; }

private:
    std::unique_ptr<nx::ConvexMeshData> data_;
};

// A triangle mesh for static (and kinematic) actors.
class NxTriangleMesh {
public:
    explicit NxTriangleMesh(std::unique_ptr<nx::TriangleMeshData> data);
    ~NxTriangleMesh();
    nx::TriangleMeshData& data() const { return *data_; }

private:
    std::unique_ptr<nx::TriangleMeshData> data_;
};

// Continuous collision detection for a small fast shape: the engine sweeps a sphere that fits
// inside the skeleton whenever the shape moves more than `motionThreshold` in one step.
class NxCCDSkeleton {
public:
    NxCCDSkeleton(NxReal sweptSphereRadius, NxReal motionThreshold)
        : sweptSphereRadius(sweptSphereRadius), motionThreshold(motionThreshold) {}
    const NxReal sweptSphereRadius;
    const NxReal motionThreshold;
};
