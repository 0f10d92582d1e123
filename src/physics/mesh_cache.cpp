#include "physics/mesh_cache.h"

#include <string>
#include <unordered_map>

#include "physics/stream.h"
#include "platform/game_path.h"

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
    UserStream stream(path, true);
    if (stream.fp == nullptr) return nullptr;  // missing: the caller says so, not the reader
    Mesh* mesh = create(stream);
    if (mesh != nullptr) cache.emplace(path, mesh);
    return mesh;
}

}  // namespace

std::string CookedMeshPath(const char* name, bool concave) {
    return std::string("models\\") + name + (concave ? ".concave" : ".convex");
}

std::string CookedMeshProblem(const char* name, const std::string& path) {
    // The hint is a command line for the game's folder, so its path takes a slash.
    const std::string model = std::string("models\\") + name + ".ms3d";
    const std::string cook = std::string("zorvan-cook models/") + name + ".ms3d";
    if (FILE* file = GameOpen(path.c_str(), "rb")) {
        std::fclose(file);
        return path + " is not a cooked mesh the game can read; cook it again: " + cook;
    }
    if (FILE* file = GameOpen(model.c_str(), "rb")) {
        std::fclose(file);
        return path + " does not exist; cook it from the model: " + cook;
    }
    return path + " does not exist, nor does " + model + " to cook it from";
}

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
