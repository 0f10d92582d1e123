// The SDK object: parameters, scenes and the collision meshes they share.
#pragma once

#include <memory>
#include <vector>

#include "NxMeshes.h"
#include "NxParameters.h"
#include "NxSceneDesc.h"
#include "NxStream.h"

#define NX_PHYSICS_SDK_VERSION 0x02070000u

class NxScene;
class NxUserAllocator;
class NxUserOutputStream;

class NxPhysicsSDKDesc {
public:
    void setToDefault() {}
};

enum NxSDKCreateError {
    NXCE_NO_ERROR = 0,
    NXCE_WRONG_VERSION = 2,
};

class NxPhysicsSDK {
public:
    bool setParameter(NxParameter parameter, NxReal value);
    NxReal getParameter(NxParameter parameter) const;

    NxScene* createScene(const NxSceneDesc& desc);
    void releaseScene(NxScene& scene);
    // Releases every scene, mesh and skeleton, then the SDK object itself.
    void release();

    // Read the layer's cooked formats; null, with a console line naming the problem, for a
    // wrong magic or version, a short file or inconsistent data.
    NxConvexMesh* createConvexMesh(const NxStream& stream);
    NxTriangleMesh* createTriangleMesh(const NxStream& stream);
    // Null, with a console line, for a mesh without points.
    NxCCDSkeleton* createCCDSkeleton(const NxSimpleTriangleMesh& mesh);

    NxPhysicsSDK();
    ~NxPhysicsSDK();
    NxPhysicsSDK(const NxPhysicsSDK&) = delete;
    NxPhysicsSDK& operator=(const NxPhysicsSDK&) = delete;

private:
    NxParameters parameters_;
    std::vector<std::unique_ptr<NxScene>> scenes_;
    std::vector<std::unique_ptr<NxConvexMesh>> convexMeshes_;
    std::vector<std::unique_ptr<NxTriangleMesh>> triangleMeshes_;
    std::vector<std::unique_ptr<NxCCDSkeleton>> skeletons_;
};

// Null, with NXCE_WRONG_VERSION in *errorCode, unless the major and minor version are 2.7.
NxPhysicsSDK* NxCreatePhysicsSDK(NxU32 sdkVersion, NxUserAllocator* allocator = nullptr,
                                 NxUserOutputStream* outputStream = nullptr,
                                 const NxPhysicsSDKDesc& desc = NxPhysicsSDKDesc(),
                                 NxSDKCreateError* errorCode = nullptr);
