#include "internal/actor_factory.h"

#include <cmath>
#include <cstdio>

#include "NxMeshes.h"
#include "internal/actor_core.h"
#include "internal/bullet_convert.h"
#include "internal/hull_builder.h"
#include "internal/scene_core.h"

namespace nx {

namespace {

// What a shape descriptor becomes: the engine shape (owned or shared), the body frame within
// the actor frame, and the mass properties per unit density.
struct ShapePlan {
    std::unique_ptr<btCollisionShape> owned;
    btCollisionShape* shape = nullptr;
    btTransform principal = btTransform::getIdentity();
    btScalar volume = 0;
    btVector3 inertiaPerMass{0, 0, 0};
    bool staticMesh = false;
};

bool Fail(const char* problem) {
    std::printf("createActor: %s\n", problem);
    return false;
}

bool PlanHull(const ConvexMeshData& hull, bool dynamic, ShapePlan& plan) {
    if (dynamic && !(hull.hull.volume > 0))
        return Fail("a flat mesh can only belong to a static actor");
    plan.shape = hull.shape.get();
    plan.principal = hull.principal;
    plan.volume = hull.hull.volume;
    plan.inertiaPerMass = ToBt(hull.hull.inertiaPerMass);
    return true;
}

bool Plan(const NxShapeDesc& desc, bool dynamic, btScalar margin, ShapePlan& plan) {
    switch (desc.type) {
        case NX_SHAPE_SPHERE: {
            NxReal radius = static_cast<const NxSphereShapeDesc&>(desc).radius;
            if (!(radius > 0) || !std::isfinite(radius)) return Fail("a sphere needs a radius > 0");
            plan.owned = std::make_unique<btSphereShape>(radius);
            plan.volume = 4.0f / 3.0f * SIMD_PI * radius * radius * radius;
            plan.inertiaPerMass = btVector3(1, 1, 1) * (0.4f * radius * radius);
            break;
        }
        case NX_SHAPE_PLANE: {
            auto& plane = static_cast<const NxPlaneShapeDesc&>(desc);
            if (dynamic) return Fail("a plane can only belong to a static actor");
            btVector3 normal = ToBt(plane.normal);
            if (!(normal.length2() > 0)) return Fail("a plane needs a normal");
            plan.owned = std::make_unique<btStaticPlaneShape>(normal.normalized(), plane.d);
            break;
        }
        case NX_SHAPE_CONVEX: {
            NxConvexMesh* mesh = static_cast<const NxConvexShapeDesc&>(desc).meshData;
            if (mesh == nullptr) return Fail("a convex shape without mesh data");
            if (!PlanHull(mesh->data(), dynamic, plan)) return false;
            break;
        }
        case NX_SHAPE_MESH: {
            NxTriangleMesh* mesh = static_cast<const NxTriangleMeshShapeDesc&>(desc).meshData;
            if (mesh == nullptr) return Fail("a triangle mesh shape without mesh data");
            if (!dynamic) {
                plan.shape = mesh->data().shape.get();
                plan.staticMesh = true;
                break;
            }
            // The engine's triangle meshes cannot move freely; a dynamic one moves as the
            // convex hull of its vertices.
            const ConvexMeshData* hull = MovingHullOf(mesh->data(), margin);
            if (hull == nullptr || !(hull->hull.volume > 0))
                return Fail("a dynamic triangle mesh whose vertices enclose no volume");
            PlanHull(*hull, dynamic, plan);
            std::printf(
                "createActor: a dynamic triangle mesh moves as the convex hull of its vertices\n");
            break;
        }
    }
    if (plan.owned) plan.shape = plan.owned.get();
    return true;
}

}  // namespace

std::unique_ptr<NxActor> BuildActor(SceneCore& scene, const NxActorDesc& desc, NxReal margin) {
    if (desc.shapes.size() != 1 || desc.shapes[0] == nullptr) {
        Fail("an actor needs exactly one shape");
        return nullptr;
    }
    const NxShapeDesc& shapeDesc = *desc.shapes[0];
    bool dynamic = desc.body != nullptr;
    if (dynamic && !(desc.density > 0 && std::isfinite(desc.density))) {
        Fail("a dynamic actor needs a density > 0");
        return nullptr;
    }
    ShapePlan plan;
    if (!Plan(shapeDesc, dynamic, margin, plan)) return nullptr;

    NxMaterialIndex materialIndex = shapeDesc.materialIndex;
    if (materialIndex >= scene.materials.size()) {
        std::printf("createActor: unknown material index %u, using the default material\n",
                    materialIndex);
        materialIndex = 0;
    }
    const NxMaterial& material = *scene.materials[materialIndex];

    auto actor = std::make_unique<NxActor>(scene.scene, scene, shapeDesc.type, materialIndex);
    ActorCore& core = actor->core();
    core.ownShape = std::move(plan.owned);
    core.principal = plan.principal;
    core.principalInverse = plan.principal.inverse();
    core.hasBody = dynamic;
    if (dynamic) {
        core.mass = desc.density * plan.volume;
        core.inertia = plan.inertiaPerMass * core.mass;
        core.linearDamping = desc.body->linearDamping;
        core.angularDamping = desc.body->angularDamping;
    }
    btRigidBody::btRigidBodyConstructionInfo info(core.mass, nullptr, plan.shape, core.inertia);
    info.m_startWorldTransform = ToBt(desc.globalPose) * core.principal;
    core.body = std::make_unique<btRigidBody>(info);
    core.body->setUserPointer(&actor->shape());
    core.body->setUserIndex(static_cast<int>(core.serial));
    core.body->setRestitution(material.getRestitution());
    core.body->setFriction(material.getDynamicFriction());
    if (plan.staticMesh) MarkAsEdgeAwareMesh(*core.body);
    if (dynamic) core.applyDamping();
    actor->userData = desc.userData;
    scene.addBody(core);
    return actor;
}

}  // namespace nx
