// The engine's world as the layer configures it: the broadphase, the pair filter, the solver
// settings and the process-wide callbacks. The benchmark builds its direct-engine scene on the
// same world so that both sides do the same work.
#pragma once

#include <btBulletDynamicsCommon.h>

#include "internal/hull_algorithms.h"
#include "internal/scattered_broadphase.h"

namespace nx {

// Lets a pair reach the narrow phase when the collision groups agree and at least one side can
// move: static (and kinematic) objects never collide with each other, which keeps the planes
// and triggers out of the level meshes' narrow phase.
class PairFilter : public btOverlapFilterCallback {
public:
    bool needBroadphaseCollision(btBroadphaseProxy* proxy0,
                                 btBroadphaseProxy* proxy1) const override;
};

// The engine's world, letting go of a body's predictive contacts (the manifolds of its
// continuous collision sweep, rebuilt every step) when the body leaves: the engine keeps them
// until the next step, pointing at the freed body in between.
class DynamicsWorld : public btDiscreteDynamicsWorld {
public:
    using btDiscreteDynamicsWorld::btDiscreteDynamicsWorld;
    void removeRigidBody(btRigidBody* body) override;
};

struct BulletWorld {
    explicit BulletWorld(const btVector3& gravity);

    btDefaultCollisionConfiguration configuration;
    HullAlgorithms hullAlgorithms;
    btCollisionDispatcher dispatcher{&configuration};
    ScatteredBroadphase broadphase;
    btSequentialImpulseConstraintSolver solver;
    PairFilter filter;
    DynamicsWorld world{&dispatcher, &broadphase, &solver, &configuration};
};

// A static triangle mesh with its internal-edge information, so that shapes sliding over
// the seams between triangles get the face normal rather than a tilted one.
class EdgeAwareMeshShape : public btBvhTriangleMeshShape {
public:
    explicit EdgeAwareMeshShape(btStridingMeshInterface* mesh);
    ~EdgeAwareMeshShape() override;

private:
    btTriangleInfoMap* edgeInfo_;
};

// The collision flags of an object on a static triangle mesh: it asks for the edge fix-up.
void MarkAsEdgeAwareMesh(btCollisionObject& object);

}  // namespace nx
