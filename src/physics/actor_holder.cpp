#include "physics/actor_holder.h"

#include <cstdio>
#include <vector>

#include "physics/mesh_cache.h"
#include "physics/physics_world.h"
#include "render/model.h"

namespace {

// A cooked mesh that cannot be had stops the game, naming the file.
template <class Mesh>
Mesh* Required(Mesh* mesh, const char* path) {
    if (mesh != nullptr) return mesh;
    char message[600];
    std::snprintf(message, sizeof message, "Cannot load the cooked collision mesh %s", path);
    StopPhysics(message);
}

}  // namespace

ActorHolder* ActorHolder::create(NxScene* scene, Object* owner, const char* name, float density,
                                 bool concave) {
    NxPhysicsSDK& sdk = scene->getPhysicsSDK();

    char path[512];
    std::snprintf(path, sizeof path, concave ? "models\\%s.concave" : "models\\%s.convex", name);
    NxActorDesc actorDesc;
    NxBodyDesc bodyDesc;
    NxConvexShapeDesc convexDesc;
    NxTriangleMeshShapeDesc meshDesc;
    if (concave) {
        meshDesc.meshData = Required(CookedTriangleMesh(sdk, path), path);
        actorDesc.shapes.pushBack(&meshDesc);
    } else {
        convexDesc.meshData = Required(CookedConvexMesh(sdk, path), path);
        actorDesc.shapes.pushBack(&convexDesc);
    }
    if (density != 0.0f) {
        actorDesc.body = &bodyDesc;
        actorDesc.density = density;
    }

    auto* holder = new ActorHolder();
    holder->scene = scene;
    holder->actor = scene->createActor(actorDesc);
    if (holder->actor == nullptr) {
        char message[600];
        std::snprintf(message, sizeof message, "Cannot create the physics actor of %s", path);
        StopPhysics(message);
    }
    holder->actor->userData = owner;
    return holder;
}

ActorHolder* ActorHolder::createConvex(NxScene* scene, Object* owner, Model*, const char* name,
                                       float density, int) {
    return create(scene, owner, name, density, false);
}

ActorHolder* ActorHolder::createConcave(NxScene* scene, Object* owner, Model*, const char* name,
                                        float density, int) {
    return create(scene, owner, name, density, true);
}

ActorHolder::~ActorHolder() {
    if (actor != nullptr) scene->releaseActor(*actor);
}

void ActorHolder::addLocalForce(const NxVec3& force) {
    actor->addLocalForce(force, NX_FORCE, true);
}

NxCCDSkeleton* buildCCDSkeleton(NxScene* scene, Model* model) {
    NxCCDSkeleton*& skeleton = CachedSkeleton(model);
    if (skeleton != nullptr) return skeleton;
    const int vertexCount = model->VertexCount();
    std::vector<NxVec3> points(vertexCount);
    for (int i = 0; i < vertexCount; ++i) {
        const float* p = model->vertices[i].vertex;
        points[i] = NxVec3(p[0], p[1], p[2]);
    }
    std::vector<NxU32> indices;
    indices.reserve(model->triangles.size() * 3);
    for (const ms3d_triangle_t& triangle : model->triangles) {
        const uint16_t* corner = triangle.vertexIndices;
        // A triangle naming a vertex the model does not have is left out.
        if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount)
            continue;
        for (int c = 0; c < 3; ++c) indices.push_back(corner[c]);
    }
    NxSimpleTriangleMesh mesh;
    mesh.numVertices = static_cast<NxU32>(points.size());
    mesh.numTriangles = static_cast<NxU32>(indices.size() / 3);
    mesh.pointStrideBytes = sizeof(NxVec3);
    mesh.triangleStrideBytes = 3 * sizeof(NxU32);
    mesh.points = points.data();
    mesh.triangles = indices.data();
    mesh.flags |= NX_MF_FLIPNORMALS;
    skeleton = scene->getPhysicsSDK().createCCDSkeleton(mesh);
    return skeleton;
}
