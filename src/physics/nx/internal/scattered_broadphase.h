// The engine's dynamic AABB tree broadphase, taking static objects in a scattered order. The tree
// places each new leaf beside the nearest subtree on the way down; leaves that arrive in a spatial
// sweep (a level lists its models row by row) pile onto one ever deeper branch, so that each
// insertion costs the depth of the tree and a level of 100,000 models loads in seconds. Static
// objects therefore wait in a list until something needs the tree (a moving object arrives, a
// step, a query), and then go in together in bit-reversed order, which spreads consecutive ones
// over the whole level and keeps the tree balanced. Pairs are still found in the order the
// objects were added.
#pragma once

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>

#include <vector>

namespace nx {

class ScatteredBroadphase : public btDbvtBroadphase {
public:
    btBroadphaseProxy* createProxy(const btVector3& aabbMin, const btVector3& aabbMax,
                                   int shapeType, void* userPtr, int collisionFilterGroup,
                                   int collisionFilterMask, btDispatcher* dispatcher) override;
    void destroyProxy(btBroadphaseProxy* proxy, btDispatcher* dispatcher) override;
    void setAabb(btBroadphaseProxy* proxy, const btVector3& aabbMin, const btVector3& aabbMax,
                 btDispatcher* dispatcher) override;
    void rayTest(const btVector3& rayFrom, const btVector3& rayTo,
                 btBroadphaseRayCallback& rayCallback, const btVector3& aabbMin,
                 const btVector3& aabbMax) override;
    void aabbTest(const btVector3& aabbMin, const btVector3& aabbMax,
                  btBroadphaseAabbCallback& callback) override;
    void calculateOverlappingPairs(btDispatcher* dispatcher) override;
    void getBroadphaseAabb(btVector3& aabbMin, btVector3& aabbMax) const override;
    void resetPool(btDispatcher* dispatcher) override;

private:
    // Puts the waiting static objects into the tree and finds their pairs.
    void insertWaiting();

    std::vector<btDbvtProxy*> waiting_;  // in the order they were added
};

}  // namespace nx
