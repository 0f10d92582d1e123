#include "internal/scattered_broadphase.h"

#include <BulletCollision/CollisionDispatch/btCollisionObject.h>

#include <new>
#include <utility>

namespace nx {

namespace {

// Adds a pair for every leaf that a waiting object's box meets, as the engine's own tree
// collider does when an object arrives: each pair names the older object first.
struct PairFinder : btDbvt::ICollide {
    btDbvtBroadphase& broadphase;
    btDbvtProxy* proxy;
    PairFinder(btDbvtBroadphase& broadphase, btDbvtProxy* proxy)
        : broadphase(broadphase), proxy(proxy) {}
    void Process(const btDbvtNode* leaf) override {
        if (leaf == proxy->leaf) return;
        auto* first = static_cast<btDbvtProxy*>(leaf->data);
        btDbvtProxy* second = proxy;
        if (first->m_uniqueId > second->m_uniqueId) std::swap(first, second);
        broadphase.m_paircache->addOverlappingPair(first, second);
        ++broadphase.m_newpairs;
    }
};

// The stage lists are doubly linked through links[0] (previous) and links[1] (next); a new
// entry goes in front, as the engine's own list does.
void PushFront(btDbvtProxy* proxy, btDbvtProxy*& list) {
    proxy->links[0] = nullptr;
    proxy->links[1] = list;
    if (list != nullptr) list->links[0] = proxy;
    list = proxy;
}

// i with its lowest `bits` bits in reverse order.
size_t ReverseBits(size_t i, int bits) {
    size_t reversed = 0;
    for (int b = 0; b < bits; ++b, i >>= 1) reversed = (reversed << 1) | (i & 1);
    return reversed;
}

}  // namespace

btBroadphaseProxy* ScatteredBroadphase::createProxy(const btVector3& aabbMin,
                                                    const btVector3& aabbMax, int shapeType,
                                                    void* userPtr, int collisionFilterGroup,
                                                    int collisionFilterMask,
                                                    btDispatcher* dispatcher) {
    if (!static_cast<const btCollisionObject*>(userPtr)->isStaticObject()) {
        insertWaiting();
        return btDbvtBroadphase::createProxy(aabbMin, aabbMax, shapeType, userPtr,
                                             collisionFilterGroup, collisionFilterMask, dispatcher);
    }
    auto* proxy = new (btAlignedAlloc(sizeof(btDbvtProxy), 16))
        btDbvtProxy(aabbMin, aabbMax, userPtr, collisionFilterGroup, collisionFilterMask);
    proxy->leaf = nullptr;
    proxy->m_uniqueId = ++m_gid;
    waiting_.push_back(proxy);
    return proxy;
}

void ScatteredBroadphase::insertWaiting() {
    if (waiting_.empty()) return;
    int bits = 0;
    while ((size_t{1} << bits) < waiting_.size()) ++bits;
    for (size_t i = 0; i < (size_t{1} << bits); ++i) {
        const size_t index = ReverseBits(i, bits);
        if (index >= waiting_.size()) continue;
        btDbvtProxy* proxy = waiting_[index];
        proxy->stage = m_stageCurrent;
        proxy->leaf =
            m_sets[0].insert(btDbvtVolume::FromMM(proxy->m_aabbMin, proxy->m_aabbMax), proxy);
        PushFront(proxy, m_stageRoots[m_stageCurrent]);
    }
    for (btDbvtProxy* proxy : waiting_) {
        const btDbvtVolume box = btDbvtVolume::FromMM(proxy->m_aabbMin, proxy->m_aabbMax);
        PairFinder finder(*this, proxy);
        m_sets[0].collideTV(m_sets[0].m_root, box, finder);
        m_sets[1].collideTV(m_sets[1].m_root, box, finder);
    }
    waiting_.clear();
}

void ScatteredBroadphase::destroyProxy(btBroadphaseProxy* proxy, btDispatcher* dispatcher) {
    insertWaiting();
    btDbvtBroadphase::destroyProxy(proxy, dispatcher);
}

void ScatteredBroadphase::setAabb(btBroadphaseProxy* proxy, const btVector3& aabbMin,
                                  const btVector3& aabbMax, btDispatcher* dispatcher) {
    auto* dbvtProxy = static_cast<btDbvtProxy*>(proxy);
    if (dbvtProxy->leaf == nullptr) {  // still waiting: it goes in with its latest box
        proxy->m_aabbMin = aabbMin;
        proxy->m_aabbMax = aabbMax;
        return;
    }
    btDbvtBroadphase::setAabb(proxy, aabbMin, aabbMax, dispatcher);
}

void ScatteredBroadphase::rayTest(const btVector3& rayFrom, const btVector3& rayTo,
                                  btBroadphaseRayCallback& rayCallback, const btVector3& aabbMin,
                                  const btVector3& aabbMax) {
    insertWaiting();
    btDbvtBroadphase::rayTest(rayFrom, rayTo, rayCallback, aabbMin, aabbMax);
}

void ScatteredBroadphase::aabbTest(const btVector3& aabbMin, const btVector3& aabbMax,
                                   btBroadphaseAabbCallback& callback) {
    insertWaiting();
    btDbvtBroadphase::aabbTest(aabbMin, aabbMax, callback);
}

void ScatteredBroadphase::calculateOverlappingPairs(btDispatcher* dispatcher) {
    insertWaiting();
    btDbvtBroadphase::calculateOverlappingPairs(dispatcher);
}

void ScatteredBroadphase::getBroadphaseAabb(btVector3& aabbMin, btVector3& aabbMax) const {
    const_cast<ScatteredBroadphase*>(this)->insertWaiting();
    btDbvtBroadphase::getBroadphaseAabb(aabbMin, aabbMax);
}

void ScatteredBroadphase::resetPool(btDispatcher* dispatcher) {
    insertWaiting();
    btDbvtBroadphase::resetPool(dispatcher);
}

}  // namespace nx
