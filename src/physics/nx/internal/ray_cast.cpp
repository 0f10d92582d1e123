#include "internal/ray_cast.h"

#include <BulletCollision/CollisionShapes/btConvexPolyhedron.h>

#include "NxActor.h"
#include "NxShape.h"

namespace nx {

namespace {

// The fraction t of `delta` at which the ray enters the sphere; false when it misses or starts
// inside.
bool EnterSphere(const btVector3& from, const btVector3& delta, const btVector3& centre,
                 btScalar radius, btScalar& t) {
    btVector3 offset = from - centre;
    btScalar outside = offset.length2() - radius * radius;
    btScalar towards = offset.dot(delta);
    if (outside <= 0 || towards >= 0) return false;
    btScalar a = delta.length2();
    btScalar discriminant = towards * towards - a * outside;
    if (discriminant < 0) return false;
    t = (-towards - btSqrt(discriminant)) / a;
    return true;
}

// The same for a hull given by its face planes (in the frame of `from` and `delta`), with the
// normal of the face entered.
bool EnterHull(const btConvexPolyhedron& hull, const btVector3& from, const btVector3& delta,
               btScalar& t, btVector3& normal) {
    btScalar enter = -BT_LARGE_FLOAT, leave = BT_LARGE_FLOAT;
    for (int f = 0; f < hull.m_faces.size(); ++f) {
        const btScalar* plane = hull.m_faces[f].m_plane;
        btVector3 faceNormal(plane[0], plane[1], plane[2]);
        btScalar height = faceNormal.dot(from) + plane[3];
        btScalar rate = faceNormal.dot(delta);
        if (rate == 0) {
            if (height > 0) return false;  // runs beside the face, outside
            continue;
        }
        btScalar at = -height / rate;
        if (rate < 0 && at > enter) {
            enter = at;
            normal = faceNormal;
        } else if (rate > 0 && at < leave) {
            leave = at;
        }
    }
    if (enter < 0 || enter > leave) return false;  // starts inside, or misses
    t = enter;
    return true;
}

class ClosestShapeCaster : public btBroadphaseRayCallback {
public:
    ClosestShapeCaster(const btVector3& from, const btVector3& to, NxShapesType kinds, NxU32 mask,
                       btCollisionWorld::ClosestRayResultCallback& hit)
        : from_(from), to_(to), kinds_(kinds), mask_(mask), hit_(hit) {
        btVector3 direction = (to - from).normalized();
        for (int i = 0; i < 3; ++i) {
            m_rayDirectionInverse[i] =
                direction[i] == 0 ? btScalar(BT_LARGE_FLOAT) : 1 / direction[i];
            m_signs[i] = m_rayDirectionInverse[i] < 0;
        }
        m_lambda_max = direction.dot(to - from);
    }

    bool process(const btBroadphaseProxy* proxy) override {
        if ((proxy->m_collisionFilterGroup & static_cast<int>(mask_)) == 0) return true;
        auto* object = static_cast<btCollisionObject*>(proxy->m_clientObject);
        auto* shape = static_cast<const NxShape*>(object->getUserPointer());
        if (shape == nullptr) return true;
        NxShapesType kind = shape->getActor().isDynamic() ? NX_DYNAMIC_SHAPES : NX_STATIC_SHAPES;
        if ((kinds_ & kind) == 0) return true;

        const btCollisionShape* collision = object->getCollisionShape();
        const btTransform& pose = object->getWorldTransform();
        btVector3 delta = to_ - from_;
        btScalar t;
        if (collision->getShapeType() == SPHERE_SHAPE_PROXYTYPE) {
            btScalar radius = static_cast<const btSphereShape*>(collision)->getRadius();
            if (EnterSphere(from_, delta, pose.getOrigin(), radius, t))
                record(object, t, (from_ + delta * t - pose.getOrigin()) / radius);
        } else if (const btConvexPolyhedron* faces = FacesOf(collision)) {
            btVector3 normal(0, 0, 0);
            if (EnterHull(*faces, pose.invXform(from_), pose.getBasis().transpose() * delta, t,
                          normal))
                record(object, t, pose.getBasis() * normal);
        } else {
            btTransform from(btMatrix3x3::getIdentity(), from_),
                to(btMatrix3x3::getIdentity(), to_);
            btCollisionWorld::rayTestSingle(from, to, object, collision, pose, hit_);
        }
        return true;
    }

private:
    static const btConvexPolyhedron* FacesOf(const btCollisionShape* shape) {
        if (shape->getShapeType() != CONVEX_HULL_SHAPE_PROXYTYPE) return nullptr;
        return static_cast<const btConvexHullShape*>(shape)->getConvexPolyhedron();
    }

    void record(const btCollisionObject* object, btScalar t, const btVector3& normal) {
        if (t > hit_.m_closestHitFraction) return;
        hit_.m_closestHitFraction = t;
        hit_.m_collisionObject = object;
        hit_.m_hitNormalWorld = normal;
        hit_.m_hitPointWorld = from_.lerp(to_, t);
    }

    btVector3 from_, to_;
    NxShapesType kinds_;
    NxU32 mask_;
    btCollisionWorld::ClosestRayResultCallback& hit_;
};

}  // namespace

void CastClosest(btCollisionWorld& world, const btVector3& from, const btVector3& to,
                 NxShapesType kinds, NxU32 mask, btCollisionWorld::ClosestRayResultCallback& hit) {
    ClosestShapeCaster caster(from, to, kinds, mask, hit);
    world.getBroadphase()->rayTest(from, to, caster);
}

}  // namespace nx
