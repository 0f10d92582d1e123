#include "NxPhysicsSDK.h"

#include <algorithm>
#include <cstdio>

#include "NxScene.h"
#include "internal/cooked_format.h"
#include "internal/hull_builder.h"
#include "internal/scene_core.h"

NxConvexMesh::NxConvexMesh(std::unique_ptr<nx::ConvexMeshData> data) : data_(std::move(data)) {}
NxConvexMesh::~NxConvexMesh() = default;
NxTriangleMesh::NxTriangleMesh(std::unique_ptr<nx::TriangleMeshData> data)
    : data_(std::move(data)) {}
NxTriangleMesh::~NxTriangleMesh() = default;

NxPhysicsSDK::NxPhysicsSDK() = default;

NxPhysicsSDK::~NxPhysicsSDK() {
    // Scenes refer to the meshes, so they go first.
    scenes_.clear();
}

bool NxParameters::set(NxParameter parameter, NxReal value) {
    switch (parameter) {
        case NX_SKIN_WIDTH: skinWidth = value; return true;
        case NX_BOUNCE_THRESHOLD: bounceThreshold = value; return true;
        case NX_CONTINUOUS_CD: continuousCD = value; return true;
        case NX_CCD_EPSILON: ccdEpsilon = value; return true;
    }
    return false;
}

NxReal NxParameters::get(NxParameter parameter) const {
    switch (parameter) {
        case NX_SKIN_WIDTH: return skinWidth;
        case NX_BOUNCE_THRESHOLD: return bounceThreshold;
        case NX_CONTINUOUS_CD: return continuousCD;
        case NX_CCD_EPSILON: return ccdEpsilon;
    }
    return 0;
}

bool NxPhysicsSDK::setParameter(NxParameter parameter, NxReal value) {
    if (!parameters_.set(parameter, value)) return false;
    for (auto& scene : scenes_) scene->core().applySdkParameters();
    return true;
}

NxReal NxPhysicsSDK::getParameter(NxParameter parameter) const {
    return parameters_.get(parameter);
}

NxScene* NxPhysicsSDK::createScene(const NxSceneDesc& desc) {
    if (!(desc.maxTimestep > 0) || desc.maxIter == 0) {
        std::printf("createScene: the descriptor needs maxTimestep > 0 and maxIter > 0\n");
        return nullptr;
    }
    scenes_.push_back(std::make_unique<NxScene>(*this, parameters_, desc));
    return scenes_.back().get();
}

void NxPhysicsSDK::releaseScene(NxScene& scene) {
    std::erase_if(scenes_, [&scene](const auto& s) { return s.get() == &scene; });
}

void NxPhysicsSDK::release() {
    delete this;
}

NxConvexMesh* NxPhysicsSDK::createConvexMesh(const NxStream& stream) {
    nx::CookedHull hull;
    if (!nx::ReadHull(stream, "createConvexMesh", hull)) return nullptr;
    convexMeshes_.push_back(std::make_unique<NxConvexMesh>(
        nx::BuildConvexMesh(std::move(hull), parameters_.skinWidth)));
    return convexMeshes_.back().get();
}

NxTriangleMesh* NxPhysicsSDK::createTriangleMesh(const NxStream& stream) {
    nx::CookedTriangles triangles;
    if (!nx::ReadTriangles(stream, "createTriangleMesh", triangles)) return nullptr;
    triangleMeshes_.push_back(std::make_unique<NxTriangleMesh>(nx::BuildTriangleMesh(triangles)));
    return triangleMeshes_.back().get();
}

NxCCDSkeleton* NxPhysicsSDK::createCCDSkeleton(const NxSimpleTriangleMesh& mesh) {
    if (mesh.numVertices == 0 || mesh.points == nullptr || mesh.pointStrideBytes < 12) {
        std::printf("createCCDSkeleton: the mesh has no points\n");
        return nullptr;
    }
    std::vector<NxVec3> points;
    if (!nx::GatherPoints(mesh.points, mesh.numVertices, mesh.pointStrideBytes, points)) {
        std::printf("createCCDSkeleton: a point is not a finite number or lies beyond %g\n",
                    nx::kMaxCoordinate);
        return nullptr;
    }
    // The swept sphere must fit inside the skeleton: 0.8 of its smallest half extent. The
    // sweep starts once a step moves the shape by more than that half extent.
    NxVec3 low(1e30f), high(-1e30f);
    for (const NxVec3& p : points) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], p[axis]);
            high[axis] = std::max(high[axis], p[axis]);
        }
    }
    NxVec3 half = (high - low) * 0.5f;
    NxReal smallest = std::min({half.x, half.y, half.z});
    if (!(smallest > 0)) {
        std::printf("createCCDSkeleton: the mesh encloses no volume\n");
        return nullptr;
    }
    skeletons_.push_back(std::make_unique<NxCCDSkeleton>(0.8f * smallest, smallest));
    return skeletons_.back().get();
}

NxPhysicsSDK* NxCreatePhysicsSDK(NxU32 sdkVersion, NxUserAllocator*, NxUserOutputStream*,
                                 const NxPhysicsSDKDesc&, NxSDKCreateError* errorCode) {
    bool compatible = (sdkVersion >> 16) == (NX_PHYSICS_SDK_VERSION >> 16);
    if (errorCode != nullptr) *errorCode = compatible ? NXCE_NO_ERROR : NXCE_WRONG_VERSION;
    if (!compatible) {
        std::printf("NxCreatePhysicsSDK: version 0x%08X is not 2.7\n", sdkVersion);
        return nullptr;
    }
    return new NxPhysicsSDK;
}
