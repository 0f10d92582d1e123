#include "internal/bullet_world.h"

#include <BulletCollision/CollisionDispatch/btInternalEdgeUtility.h>
#include <BulletCollision/CollisionShapes/btTriangleShape.h>

#include <utility>

namespace nx {

namespace {

// Two touching materials combine by their average (the engine would multiply them).
btScalar AverageRestitution(const btCollisionObject* a, const btCollisionObject* b) {
    return (a->getRestitution() + b->getRestitution()) * 0.5f;
}
btScalar AverageFriction(const btCollisionObject* a, const btCollisionObject* b) {
    return (a->getFriction() + b->getFriction()) * 0.5f;
}

bool IsTriangle(const btCollisionObjectWrapper* wrapper) {
    return wrapper->getCollisionShape()->getShapeType() == TRIANGLE_SHAPE_PROXYTYPE;
}

// The engine's edge fix-up turns a contact near an inner edge to the triangle's face normal but
// keeps the distance it had measured along the old, tilted normal: a ball rolling over the edge
// then seems farther from the face than it is, sinks in and pops out (a hop). So when the fix-up
// turned the normal to the face normal, the distance is measured again from the face's plane:
// to the ball's lowest point along the normal, or for other shapes to the contact's own point.
void AdjustAndRemeasure(btManifoldPoint& point, const btCollisionObjectWrapper* mesh,
                        const btCollisionObjectWrapper* other, int part, int index) {
    btVector3 measuredNormal = point.m_normalWorldOnB;
    btAdjustInternalEdgeContacts(point, mesh, other, part, index);
    btVector3 normal = point.m_normalWorldOnB;
    if (normal == measuredNormal) return;
    auto* triangle = static_cast<const btTriangleShape*>(mesh->getCollisionShape());
    btVector3 faceNormal;
    triangle->calcNormal(faceNormal);
    const btTransform& meshPose = mesh->getWorldTransform();
    if (normal.dot(meshPose.getBasis() * faceNormal) < 1 - 1e-5f) return;

    const btTransform& otherPose = other->getWorldTransform();
    btVector3 onOther = point.m_positionWorldOnA;
    if (other->getCollisionShape()->getShapeType() == SPHERE_SHAPE_PROXYTYPE) {
        auto* sphere = static_cast<const btSphereShape*>(other->getCollisionShape());
        onOther = otherPose.getOrigin() - normal * sphere->getRadius();
    }
    btScalar distance = (onOther - meshPose * triangle->m_vertices1[0]).dot(normal);
    point.m_distance1 = distance;
    point.m_positionWorldOnA = onOther;
    point.m_positionWorldOnB = onOther - normal * distance;
    point.m_localPointA = otherPose.invXform(onOther);
    point.m_localPointB = meshPose.invXform(point.m_positionWorldOnB);
}

// The fix-up expects the mesh as the second object of the contact. When the mesh is the first,
// the point is viewed from the other side for the call and turned back.
bool AdjustMeshEdgeContact(btManifoldPoint& point, const btCollisionObjectWrapper* wrapper0,
                           int part0, int index0, const btCollisionObjectWrapper* wrapper1,
                           int part1, int index1) {
    if (IsTriangle(wrapper1)) {
        AdjustAndRemeasure(point, wrapper1, wrapper0, part1, index1);
    } else if (IsTriangle(wrapper0)) {
        std::swap(point.m_localPointA, point.m_localPointB);
        std::swap(point.m_positionWorldOnA, point.m_positionWorldOnB);
        point.m_normalWorldOnB = -point.m_normalWorldOnB;
        AdjustAndRemeasure(point, wrapper0, wrapper1, part0, index0);
        std::swap(point.m_localPointA, point.m_localPointB);
        std::swap(point.m_positionWorldOnA, point.m_positionWorldOnB);
        point.m_normalWorldOnB = -point.m_normalWorldOnB;
    }
    return true;
}

// The engine keeps these callbacks in globals; every world of the process shares them.
void InstallGlobalCallbacks() {
    gCalculateCombinedRestitutionCallback = AverageRestitution;
    gCalculateCombinedFrictionCallback = AverageFriction;
    gContactAddedCallback = AdjustMeshEdgeContact;
}

}  // namespace

bool PairFilter::needBroadphaseCollision(btBroadphaseProxy* proxy0,
                                         btBroadphaseProxy* proxy1) const {
    if ((proxy0->m_collisionFilterGroup & proxy1->m_collisionFilterMask) == 0) return false;
    if ((proxy1->m_collisionFilterGroup & proxy0->m_collisionFilterMask) == 0) return false;
    auto* object0 = static_cast<const btCollisionObject*>(proxy0->m_clientObject);
    auto* object1 = static_cast<const btCollisionObject*>(proxy1->m_clientObject);
    return !(object0->isStaticOrKinematicObject() && object1->isStaticOrKinematicObject());
}

void DynamicsWorld::removeRigidBody(btRigidBody* body) {
    for (int i = m_predictiveManifolds.size() - 1; i >= 0; --i) {
        btPersistentManifold* manifold = m_predictiveManifolds[i];
        if (manifold->getBody0() != body && manifold->getBody1() != body) continue;
        m_dispatcher1->releaseManifold(manifold);
        m_predictiveManifolds.swap(i, m_predictiveManifolds.size() - 1);
        m_predictiveManifolds.pop_back();
    }
    btDiscreteDynamicsWorld::removeRigidBody(body);
}

BulletWorld::BulletWorld(const btVector3& gravity) {
    InstallGlobalCallbacks();
    // Small hulls (a few hundredths across) jitter when the contact-breaking distance scales
    // with the shape; one absolute distance for all pairs keeps them at rest.
    dispatcher.setDispatcherFlags(
        dispatcher.getDispatcherFlags() &
        ~btCollisionDispatcher::CD_USE_RELATIVE_CONTACT_BREAKING_THRESHOLD);
    // Hulls meet planes, hulls and triangles with whole patches of contact, not one closest
    // point per step.
    hullAlgorithms.registerWith(dispatcher, configuration);
    world.getPairCache()->setOverlapFilterCallback(&filter);
    world.setGravity(gravity);
    // Poses of static objects are pushed to the broadphase when they are set, so only moving
    // objects need their bounds refreshed each step.
    world.setForceUpdateAllAabbs(false);
}

EdgeAwareMeshShape::EdgeAwareMeshShape(btStridingMeshInterface* mesh)
    : btBvhTriangleMeshShape(mesh, true), edgeInfo_(new btTriangleInfoMap) {
    btGenerateInternalEdgeInfo(this, edgeInfo_);
}

EdgeAwareMeshShape::~EdgeAwareMeshShape() {
    delete edgeInfo_;
}

void MarkAsEdgeAwareMesh(btCollisionObject& object) {
    object.setCollisionFlags(object.getCollisionFlags() |
                             btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
}

}  // namespace nx
