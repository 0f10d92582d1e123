// The cooked-mesh readers on any bytes. A mesh they accept must be safe to simulate: a dynamic
// hull dropped on it (or a body with the hull itself) keeps finite poses.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "NxPhysics.h"
#include "memory_stream.h"

namespace {

bool Finite(const NxVec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

NxActor* AddActor(NxScene& scene, NxShapeDesc& shape, NxReal density, const NxVec3& at) {
    NxBodyDesc body;
    NxActorDesc actor;
    actor.shapes.pushBack(&shape);
    actor.body = density > 0 ? &body : nullptr;
    actor.density = density;
    actor.globalPose.t = at;
    return scene.createActor(actor);
}

void Simulate(NxScene& scene, NxActor* dynamic) {
    for (int step = 0; step < 4; ++step) {
        scene.simulate(1.0f / 60);
        scene.flushStream();
        scene.fetchResults(NX_RIGID_BODY_FINISHED, true);
        if (!Finite(dynamic->getGlobalPosition()) || !Finite(dynamic->getLinearVelocity()))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Meshes live until their SDK goes, so each input gets one of its own.
    NxPhysicsSDK* sdk = NxCreatePhysicsSDK(NX_PHYSICS_SDK_VERSION);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    NxSceneDesc sceneDesc;
    sceneDesc.gravity = NxVec3(0, -98, 0);
    NxScene* scene = sdk->createScene(sceneDesc);

    NxSphereShapeDesc ball;
    ball.radius = 0.5f;
    if (NxConvexMesh* hull = sdk->createConvexMesh(MemoryStream(bytes))) {
        NxConvexShapeDesc shape;
        shape.meshData = hull;
        AddActor(*scene, shape, 0, NxVec3(0, 0, 0));
        if (NxActor* body = AddActor(*scene, shape, 1, NxVec3(0, 5, 0))) Simulate(*scene, body);
        Simulate(*scene, AddActor(*scene, ball, 1, NxVec3(0, 3, 0)));
    }
    if (NxTriangleMesh* mesh = sdk->createTriangleMesh(MemoryStream(bytes))) {
        NxTriangleMeshShapeDesc shape;
        shape.meshData = mesh;
        AddActor(*scene, shape, 0, NxVec3(0, 0, 0));
        Simulate(*scene, AddActor(*scene, ball, 1, NxVec3(0, 3, 0)));
    }
    sdk->release();
    return 0;
}
