// The SDK object: parameters, scenes and the collision meshes they share.
#pragma once

#include <memory>
#include <vector>

#include "NxMeshes.h"
#include "NxScene.h"
#include "NxStream.h"

#define NX_PHYSICS_SDK_VERSION 0x02070000u

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

enum NxParameter {
    NX_SKIN_WIDTH = 1,        // contact distance: shapes this close count as touching
    NX_BOUNCE_THRESHOLD = 4,  // negative speed: slower impacts do not bounce
    NX_CONTINUOUS_CD = 8,     // non-zero: shapes with a CCD skeleton sweep their motion
    NX_CCD_EPSILON = 73,      // kept; the engine's sweep has no equivalent setting
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
    NxReal skinWidth_ = 0.025f;
    NxReal bounceThreshold_ = -2.0f;
    NxReal continuousCD_ = 0;
    NxReal ccdEpsilon_ = 0.01f;
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
