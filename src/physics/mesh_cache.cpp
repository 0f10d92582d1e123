#include "physics/mesh_cache.h"

#include <string>
#include <unordered_map>

#include "physics/stream.h"

namespace {

struct MeshCache {
    std::unordered_map<std::string, NxConvexMesh*> convex;
    std::unordered_map<std::string, NxTriangleMesh*> concave;
    std::unordered_map<Model*, NxCCDSkeleton*> skeletons;
};
MeshCache meshCache;

template <class Mesh, class Create>
Mesh* Load(std::unordered_map<std::string, Mesh*>& cache, const char* path, Create create) {
    auto found = cache.find(path);
    if (found != cache.end()) return found->second;
    UserStream stream(path, true);  // a missing file reads as a short one: rejected
    Mesh* mesh = create(stream);
    if (mesh != nullptr) cache.emplace(path, mesh);
    return mesh;
}

}  // namespace

NxConvexMesh* CookedConvexMesh(NxPhysicsSDK& sdk, const char* path) {
    return Load(meshCache.convex, path, [&](NxStream& s) { return sdk.createConvexMesh(s); });
}

NxTriangleMesh* CookedTriangleMesh(NxPhysicsSDK& sdk, const char* path) {
    return Load(meshCache.concave, path, [&](NxStream& s) { return sdk.createTriangleMesh(s); });
}

NxCCDSkeleton*& CachedSkeleton(Model* model) {
    return meshCache.skeletons[model];
}

void ForgetCookedMeshes() {
    meshCache = MeshCache{};
}
