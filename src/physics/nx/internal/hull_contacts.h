// Contact points of a hull with another convex polyhedron (a hull, or one triangle of a mesh),
// found by separating axes and face clipping, and the choice of the four points that hold a
// shape best when many are found (a box landing across the seam of two floor triangles).
//
// The engine's own separating-axis path is not used: when a box edge crossed with a floor edge
// gives the floor's normal again and rounding favours that pair, it adds a contact where the two
// edges' endless lines meet, metres from both shapes; and its manifold keeps four points
// greedily in the order the triangles come, which can leave a box held on one side only.
#pragma once

#include <BulletCollision/CollisionShapes/btConvexPolyhedron.h>
#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>
#include <BulletCollision/NarrowPhaseCollision/btPolyhedralContactClipping.h>

class btManifoldResult;

namespace nx {

struct ContactCandidate {
    btVector3 normal;  // from b towards a
    btVector3 pointOnB;
    btScalar depth;  // negative while the shapes overlap
};

using ContactCandidates = btAlignedObjectArray<ContactCandidate>;

// Keeps its scratch space from call to call, so that colliding allocates nothing once warm.
class HullCollider {
public:
    // Appends the contacts of a (at poseA) with b (at poseB) that lie within `reach` of
    // touching; nothing when some axis separates them by more.
    void collide(const btConvexPolyhedron& a, const btTransform& poseA, const btConvexPolyhedron& b,
                 const btTransform& poseB, btScalar reach, ContactCandidates& out);

private:
    btVertexArray clipIn_, clipOut_;
};

// Keeps at most four points: the deepest, then the ones spanning the largest area.
void KeepFourSupporting(ContactCandidates& points);

// Makes the manifold hold exactly these points (given in the frame `toWorld`, on the
// manifold's second body): points that are still there keep their impulses, the solver's warm
// start; the others go.
void StoreContacts(const ContactCandidates& points, const btTransform& toWorld,
                   btPersistentManifold& manifold, btManifoldResult& result);

}  // namespace nx
