// The layer's own contact generation for hulls against planes, hulls and triangle meshes (see
// hull_contacts.h for why), plugged into the engine's dispatcher. Hulls without faces (flat
// plates, which only static actors use) keep the engine's algorithms.
#pragma once

#include <BulletCollision/CollisionDispatch/btCollisionCreateFunc.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>

#include <memory>
#include <vector>

#include "internal/hull_contacts.h"

class btCollisionDispatcher;

namespace nx {

// Space every pair's algorithm works in while it runs; the world steps on one thread, so
// one is enough, and it stays allocated from step to step.
struct HullScratch {
    ContactCandidates points;
    HullCollider collider;
};

// The dispatcher's entries for hull with plane, hull and triangle mesh, in either order.
// They must outlive the dispatcher's last use of them.
class HullAlgorithms {
public:
    void registerWith(btCollisionDispatcher& dispatcher, btDefaultCollisionConfiguration& engine);

private:
    HullScratch scratch_;
    std::vector<std::unique_ptr<btCollisionAlgorithmCreateFunc>> funcs_;
};

}  // namespace nx
