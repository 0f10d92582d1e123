#include "internal/hull_algorithms.h"

#include <BulletCollision/BroadphaseCollision/btDispatcher.h>
#include <BulletCollision/CollisionDispatch/btActivatingCollisionAlgorithm.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btCollisionObjectWrapper.h>
#include <BulletCollision/CollisionDispatch/btManifoldResult.h>
#include <BulletCollision/BroadphaseCollision/btQuantizedBvh.h>
#include <BulletCollision/CollisionShapes/btBvhTriangleMeshShape.h>
#include <BulletCollision/CollisionShapes/btConcaveShape.h>
#include <BulletCollision/CollisionShapes/btConvexHullShape.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletCollision/CollisionShapes/btTriangleCallback.h>

#include <new>
#include <type_traits>

namespace nx {

namespace {

// Neighbouring triangles that fold by less than this (radians) lie in one plane.
constexpr btScalar kFlatEdgeAngle = 0.01f;

// Every hull of the layer's worlds is built by the hull builder.
const HullShape& HullOf(const btCollisionObjectWrapper* wrapper) {
    return *static_cast<const HullShape*>(wrapper->getCollisionShape());
}
const btConvexPolyhedron* FacesOf(const btCollisionObjectWrapper* wrapper) {
    return HullOf(wrapper).getConvexPolyhedron();
}

// What the three algorithms share: which side is the hull, and the pair's manifold, whose
// first body is always the hull (or the first hull).
class HullAlgorithm : public btActivatingCollisionAlgorithm {
public:
    HullAlgorithm(const btCollisionAlgorithmConstructionInfo& info,
                  const btCollisionObjectWrapper* body0, const btCollisionObjectWrapper* body1,
                  bool hullSecond, HullScratch& scratch)
        : btActivatingCollisionAlgorithm(info, body0, body1),
          scratch_(scratch),
          hullSecond_(hullSecond) {
        manifold_ = m_dispatcher->getNewManifold(hullOf(body0, body1)->getCollisionObject(),
                                                 otherOf(body0, body1)->getCollisionObject());
    }
    ~HullAlgorithm() override { m_dispatcher->releaseManifold(manifold_); }

    // The world's own sweeps keep fast bodies from passing through; pairs take no part.
    btScalar calculateTimeOfImpact(btCollisionObject*, btCollisionObject*, const btDispatcherInfo&,
                                   btManifoldResult*) override {
        return 1;
    }
    void getAllContactManifolds(btManifoldArray& manifolds) override {
        manifolds.push_back(manifold_);
    }

    void processCollision(const btCollisionObjectWrapper* body0,
                          const btCollisionObjectWrapper* body1, const btDispatcherInfo&,
                          btManifoldResult* result) override {
        result->setPersistentManifold(manifold_);
        scratch_.points.resize(0);
        const btCollisionObjectWrapper* hull = hullOf(body0, body1);
        const btCollisionObjectWrapper* other = otherOf(body0, body1);
        // Triggers push nothing: their overlaps are measured when the sub-step's events are
        // gathered, so their pairs need no contact points.
        if (!hull->getCollisionObject()->hasContactResponse() ||
            !other->getCollisionObject()->hasContactResponse()) {
            manifold_->clearManifold();
            return;
        }
        btTransform toWorld = collect(hull, other, manifold_->getContactBreakingThreshold());
        KeepFourSupporting(scratch_.points);
        StoreContacts(scratch_.points, toWorld, *manifold_, *result);
    }

protected:
    // Appends the pair's contacts to scratch_.points, in the frame it answers.
    virtual btTransform collect(const btCollisionObjectWrapper* hull,
                                const btCollisionObjectWrapper* other, btScalar reach) = 0;

    HullScratch& scratch_;

private:
    const btCollisionObjectWrapper* hullOf(const btCollisionObjectWrapper* body0,
                                           const btCollisionObjectWrapper* body1) const {
        return hullSecond_ ? body1 : body0;
    }
    const btCollisionObjectWrapper* otherOf(const btCollisionObjectWrapper* body0,
                                            const btCollisionObjectWrapper* body1) const {
        return hullSecond_ ? body0 : body1;
    }

    btPersistentManifold* manifold_;
    bool hullSecond_;
};

// Every corner of the hull near the plane touches it.
class HullPlaneAlgorithm : public HullAlgorithm {
public:
    using HullAlgorithm::HullAlgorithm;

protected:
    btTransform collect(const btCollisionObjectWrapper* hull, const btCollisionObjectWrapper* plane,
                        btScalar reach) override {
        auto* shape = static_cast<const btStaticPlaneShape*>(plane->getCollisionShape());
        const btTransform& planePose = plane->getWorldTransform();
        btVector3 normal = planePose.getBasis() * shape->getPlaneNormal();
        btScalar offset =
            normal.dot(planePose * (shape->getPlaneNormal() * shape->getPlaneConstant()));
        const btTransform& pose = hull->getWorldTransform();
        const btAlignedObjectArray<btVector3>& corners = FacesOf(hull)->m_vertices;
        for (int i = 0; i < corners.size(); ++i) {
            btVector3 corner = pose * corners[i];
            btScalar distance = normal.dot(corner) - offset;
            if (distance < reach)
                scratch_.points.push_back(
                    ContactCandidate{normal, corner - normal * distance, distance});
        }
        return btTransform::getIdentity();
    }
};

class HullHullAlgorithm : public HullAlgorithm {
public:
    using HullAlgorithm::HullAlgorithm;

protected:
    btTransform collect(const btCollisionObjectWrapper* a, const btCollisionObjectWrapper* b,
                        btScalar reach) override {
        scratch_.collider.collide(HullOf(a), a->getWorldTransform(), HullOf(b),
                                  b->getWorldTransform(), reach, scratch_.points);
        return btTransform::getIdentity();
    }
};

// The hull against each triangle of the mesh near it, in the mesh's frame; all their points
// compete for the manifold's four places.
class HullMeshAlgorithm : public HullAlgorithm, btTriangleCallback {
public:
    using HullAlgorithm::HullAlgorithm;

protected:
    btTransform collect(const btCollisionObjectWrapper* hull, const btCollisionObjectWrapper* mesh,
                        btScalar reach) override {
        const btTransform& meshPose = mesh->getWorldTransform();
        hull_ = &HullOf(hull);
        edgeInfo_ = static_cast<const btBvhTriangleMeshShape*>(mesh->getCollisionShape())
                        ->getTriangleInfoMap();
        hullInMesh_ = meshPose.inverseTimes(hull->getWorldTransform());
        reach_ = reach;
        btVector3 low, high;
        hull->getCollisionShape()->getAabb(hullInMesh_, low, high);
        btVector3 around(reach, reach, reach);
        static_cast<const btConcaveShape*>(mesh->getCollisionShape())
            ->processAllTriangles(this, low - around, high + around);
        return meshPose;
    }

private:
    void processTriangle(btVector3* corners, int part, int index) override {
        scratch_.collider.collide(*hull_, hullInMesh_, corners, FlatEdges(part, index), reach_,
                                  scratch_.points);
    }

    // Which of the triangle's edges its neighbour continues in the same plane, from the edge
    // angles the mesh worked out when it was built (an edge without a neighbour has none).
    unsigned FlatEdges(int part, int index) const {
        if (edgeInfo_ == nullptr) return 0;
        // The engine keys its triangle records by part and index this way.
        const btTriangleInfo* info =
            edgeInfo_->find(btHashInt((part << (31 - MAX_NUM_PARTS_IN_BITS)) | index));
        if (info == nullptr) return 0;
        const btScalar angles[3] = {info->m_edgeV0V1Angle, info->m_edgeV1V2Angle,
                                    info->m_edgeV2V0Angle};
        unsigned flat = 0;
        for (int i = 0; i < 3; ++i)
            if (btFabs(angles[i]) < kFlatEdgeAngle) flat |= 1u << i;
        return flat;
    }

    const HullShape* hull_ = nullptr;
    const btTriangleInfoMap* edgeInfo_ = nullptr;
    btTransform hullInMesh_;
    btScalar reach_ = 0;
};

// Creates Algorithm for pairs whose hulls have faces, and the engine's own otherwise.
template <class Algorithm>
class CreateFunc : public btCollisionAlgorithmCreateFunc {
public:
    CreateFunc(bool hullSecond, btCollisionAlgorithmCreateFunc* engine, HullScratch& scratch)
        : engine_(engine), scratch_(scratch) {
        m_swapped = hullSecond;
    }

    btCollisionAlgorithm* CreateCollisionAlgorithm(btCollisionAlgorithmConstructionInfo& info,
                                                   const btCollisionObjectWrapper* body0,
                                                   const btCollisionObjectWrapper* body1) override {
        for (const btCollisionObjectWrapper* body : {body0, body1}) {
            if (body->getCollisionShape()->getShapeType() == CONVEX_HULL_SHAPE_PROXYTYPE &&
                FacesOf(body) == nullptr)
                return engine_->CreateCollisionAlgorithm(info, body0, body1);
        }
        void* memory = info.m_dispatcher1->allocateCollisionAlgorithm(sizeof(Algorithm));
        return new (memory) Algorithm(info, body0, body1, m_swapped, scratch_);
    }

private:
    btCollisionAlgorithmCreateFunc* engine_;
    HullScratch& scratch_;
};

}  // namespace

void HullAlgorithms::registerWith(btCollisionDispatcher& dispatcher,
                                  btDefaultCollisionConfiguration& engine) {
    auto add = [&](auto* algorithm, int hullType, int otherType) {
        using Algorithm = std::remove_pointer_t<decltype(algorithm)>;
        for (bool hullSecond : {false, true}) {
            int type0 = hullSecond ? otherType : hullType;
            int type1 = hullSecond ? hullType : otherType;
            funcs_.push_back(std::make_unique<CreateFunc<Algorithm>>(
                hullSecond, engine.getCollisionAlgorithmCreateFunc(type0, type1), scratch_));
            dispatcher.registerCollisionCreateFunc(type0, type1, funcs_.back().get());
            if (hullType == otherType) break;
        }
    };
    add(static_cast<HullPlaneAlgorithm*>(nullptr), CONVEX_HULL_SHAPE_PROXYTYPE,
        STATIC_PLANE_PROXYTYPE);
    add(static_cast<HullHullAlgorithm*>(nullptr), CONVEX_HULL_SHAPE_PROXYTYPE,
        CONVEX_HULL_SHAPE_PROXYTYPE);
    add(static_cast<HullMeshAlgorithm*>(nullptr), CONVEX_HULL_SHAPE_PROXYTYPE,
        TRIANGLE_MESH_SHAPE_PROXYTYPE);
}

}  // namespace nx
