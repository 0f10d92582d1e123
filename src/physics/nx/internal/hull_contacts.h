// Contact points of a hull with another convex polyhedron (a hull, or one triangle of a mesh),
// found by separating axes and face clipping, and the choice of the four points that hold a
// shape best when many are found (a box landing across the seam of two floor triangles).
//
// The engine's own separating-axis path is not used: when a box edge crossed with a floor edge
// gives the floor's normal again and rounding favours that pair, it adds a contact where the two
// edges' endless lines meet, metres from both shapes; and its manifold keeps four points
// greedily in the order the triangles come, which can leave a box held on one side only.
#pragma once

#include <BulletCollision/CollisionShapes/btConvexHullShape.h>
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

// An edge of a polyhedron with the outward normals of the two faces that meet at it. The
// pairs of edges worth testing as separating axes are those whose arcs of face normals cross.
struct PolyEdge {
    PolyEdge() = default;
    PolyEdge(const btVector3& from_, const btVector3& to_, const btVector3& normal0_,
             const btVector3& normal1_)
        : from(from_),
          to(to_),
          normal0(normal0_),
          normal1(normal1_),
          arc(normal1_.cross(normal0_)) {}

    btVector3 from, to;
    btVector3 normal0, normal1;
    btVector3 arc;  // normal1 x normal0: the plane of the arc between the normals
};

using PolyEdges = btAlignedObjectArray<PolyEdge>;

// Vectors by coordinate, in whole groups of four so that a loop over them takes four at a time
// with nothing left over: the last vector is repeated to fill the last group.
struct Columns {
    btAlignedObjectArray<btScalar> x, y, z;

    int groups() const { return x.size() / 4; }
    // The `count` vectors vectorAt(0) ... vectorAt(count - 1).
    template <class VectorAt>
    void fill(int count, VectorAt vectorAt) {
        int padded = (count + 3) / 4 * 4;
        x.resize(padded);
        y.resize(padded);
        z.resize(padded);
        for (int i = 0; i < padded; ++i) {
            const btVector3& v = vectorAt(btMin(i, count - 1));
            x[i] = v.x();
            y[i] = v.y();
            z[i] = v.z();
        }
    }
};

// A hull's shape with its edges, built once with the hull.
class HullShape : public btConvexHullShape {
public:
    using btConvexHullShape::btConvexHullShape;
    // Works out the edges and the corner columns from the faces.
    void setFaces(btConvexPolyhedron& faces);

    PolyEdges edges;  // empty for a flat hull, which has no faces either
    Columns corners;  // the faces' corners
};

// A plane: normal . x + offset = 0, positive outside.
struct Plane {
    btVector3 normal;
    btScalar offset;
};

// Keeps its scratch space from call to call, so that colliding allocates nothing once warm.
class HullCollider {
public:
    // Appends the contacts of hull a (at poseA) with hull b (at poseB) that lie within `reach`
    // of touching; nothing when some axis separates them by more.
    void collide(const HullShape& a, const btTransform& poseA, const HullShape& b,
                 const btTransform& poseB, btScalar reach, ContactCandidates& out);
    // The same for hull a and one triangle, both given in the triangle's frame. Bit i of
    // `flatEdges` marks the edge from corner i to the next as shared with a neighbour in the same
    // plane: across such an edge the mesh goes on flat, so no contact with this triangle may push
    // outwards over it (a box resting on a finely divided floor would otherwise be pushed
    // sideways by the triangles under its rim, which it overlaps less deeply than it sinks).
    void collide(const HullShape& a, const btTransform& poseA, const btVector3 triangle[3],
                 unsigned flatEdges, btScalar reach, ContactCandidates& out);

private:
    // The search over the faces and edge pairs of a and of b_, whose corners_, planes_ and
    // edges_ are already in a's frame; then the contact of the best axis.
    void collideWithB(const HullShape& a, const btTransform& poseA, btScalar reach,
                      ContactCandidates& out);
    // The incident face clipped to the sides of the reference face (with its plane), as
    // contact points on b; all corners in a's frame.
    void clip(const btConvexPolyhedron& reference,
              const btAlignedObjectArray<btVector3>& referenceCorners, int referenceFace,
              const Plane& plane, const btConvexPolyhedron& incident,
              const btAlignedObjectArray<btVector3>& incidentCorners, int incidentFace,
              bool referenceIsA, const btTransform& poseA, btScalar reach, ContactCandidates& out);

    // Marks in straddling_ the edges of b whose two face normals lie on opposite sides of the
    // plane of `arc`, the arc of an edge of a: only their arcs can cross it.
    void markStraddling(const btVector3& arc);

    // Whether a contact normal (from b towards a, in a's frame) may be taken as the axis: not
    // when it leans out over one of a triangle's flat edges.
    bool allowed(const btVector3& normal) const;

    // b's faces (their corner loops); for a triangle, its two sides.
    const btConvexPolyhedron* b_ = nullptr;
    // For a triangle: the outward directions, in its plane, of its edges shared flat with a
    // neighbour; none for a hull.
    btVector3 flatOutward_[3];
    int flatCount_ = 0;
    btConvexPolyhedron triangle_;
    btAlignedObjectArray<btVector3> corners_;
    Columns cornerColumns_;  // corners_ by coordinate
    btAlignedObjectArray<Plane> planes_;
    PolyEdges edges_;
    Columns edgeNormals0_, edgeNormals1_;   // the face normals of edges_, by coordinate
    btAlignedObjectArray<int> straddling_;  // by markStraddling: nonzero where straddling
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
