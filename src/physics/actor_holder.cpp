#include "physics/actor_holder.h"

#include <cstdio>
#include <string>

#include "physics/mesh_cache.h"
#include "physics/physics_world.h"
#include "render/model.h"
#include "triangle_list.h"

namespace {

// A cooked mesh that cannot be had stops the game, naming the file and what to do about it.
template <class Mesh>
Mesh* Required(Mesh* mesh, const char* name, const std::string& path) {
    if (mesh != nullptr) return mesh;
    StopPhysics(("Cannot start: " + CookedMeshProblem(name, path)).c_str());
}

}  // namespace

ActorHolder* ActorHolder::create(NxScene* scene, Object* owner, const char* name, float density,
                                 bool concave) {
    NxPhysicsSDK& sdk = scene->getPhysicsSDK();

    const std::string path = CookedMeshPath(name, concave);
    NxActorDesc actorDesc;
    NxBodyDesc bodyDesc;
    NxConvexShapeDesc convexDesc;
    NxTriangleMeshShapeDesc meshDesc;
    if (concave) {
        meshDesc.meshData = Required(CookedTriangleMesh(sdk, path.c_str()), name, path);
        actorDesc.shapes.pushBack(&meshDesc);
    } else {
        convexDesc.meshData = Required(CookedConvexMesh(sdk, path.c_str()), name, path);
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
        StopPhysics(("Cannot create the physics actor of " + path).c_str());
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
    TriangleList mesh;
    for (const ms3d_vertex_t& v : model->vertices)  // copied by value: the floats lie unaligned
        mesh.vertices.push_back(NxVec3(v.vertex[0], v.vertex[1], v.vertex[2]));
    for (const ms3d_triangle_t& t : model->triangles)
        mesh.addTriangle(t.vertexIndices[0], t.vertexIndices[1], t.vertexIndices[2]);
    skeleton = scene->getPhysicsSDK().createCCDSkeleton(mesh.describe(NX_MF_FLIPNORMALS));
    return skeleton;
}
