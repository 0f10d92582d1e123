#include "internal/hull_contacts.h"

#include <BulletCollision/CollisionDispatch/btManifoldResult.h>
#include <BulletCollision/CollisionDispatch/btCollisionObject.h>

namespace nx {

namespace {

// An edge pair is taken as the separating axis only when it beats the best face by this much:
// faces give whole patches of contact, and a face normal that is also an edge pair's cross
// product must stay a face.
constexpr btScalar kEdgeAxisPreference = 0.005f;
constexpr btScalar kParallel = 1e-6f;  // squared sine below which two directions are parallel

struct Axis {
    btVector3 normal{0, 0, 0};
    btScalar separation = -BT_LARGE_FLOAT;
    btVector3 edgeA{0, 0, 0}, edgeB{0, 0, 0};  // local directions, for edge pairs
};

// Separation of a and b along d, with d turned to point from b towards a (the side on which
// they overlap least).
btScalar Separation(const btConvexPolyhedron& a, const btTransform& poseA,
                    const btConvexPolyhedron& b, const btTransform& poseB, btVector3& d) {
    btScalar minA, maxA, minB, maxB;
    btVector3 unused0, unused1;
    a.project(poseA, d, minA, maxA, unused0, unused1);
    b.project(poseB, d, minB, maxB, unused0, unused1);
    if (maxB - minA <= maxA - minB) return minA - maxB;
    d = -d;
    return minB - maxA;
}

// The edge of `poly` along the local direction `along` that lies furthest towards `towards`.
void SupportEdge(const btConvexPolyhedron& poly, const btTransform& pose, const btVector3& along,
                 const btVector3& towards, btVector3& from, btVector3& to) {
    btVector3 local = pose.getBasis().transpose() * towards;
    btScalar best = -BT_LARGE_FLOAT;
    for (int f = 0; f < poly.m_faces.size(); ++f) {
        const btAlignedObjectArray<int>& loop = poly.m_faces[f].m_indices;
        for (int i = 0; i < loop.size(); ++i) {
            const btVector3& u = poly.m_vertices[loop[i]];
            const btVector3& v = poly.m_vertices[loop[(i + 1) % loop.size()]];
            btVector3 edge = v - u;
            if (edge.cross(along).length2() > kParallel * edge.length2()) continue;
            btScalar reach = local.dot(u + v);
            if (reach <= best) continue;
            best = reach;
            from = pose * u;
            to = pose * v;
        }
    }
}

// The closest points of segments p1-q1 and p2-q2.
void ClosestOnSegments(const btVector3& p1, const btVector3& q1, const btVector3& p2,
                       const btVector3& q2, btVector3& c1, btVector3& c2) {
    btVector3 d1 = q1 - p1, d2 = q2 - p2, r = p1 - p2;
    btScalar a = d1.length2(), e = d2.length2(), f = d2.dot(r);
    btScalar c = d1.dot(r), b = d1.dot(d2), denominator = a * e - b * b;
    if (e <= SIMD_EPSILON) {  // the second is a point
        c1 = p1 + d1 * (a > SIMD_EPSILON ? btClamped(-c / a, 0.f, 1.f) : 0.f);
        c2 = p2;
        return;
    }
    btScalar s =
        denominator > SIMD_EPSILON ? btClamped((b * f - c * e) / denominator, 0.f, 1.f) : 0.f;
    btScalar t = (b * s + f) / e;
    if (t < 0) {
        t = 0;
        s = a > SIMD_EPSILON ? btClamped(-c / a, 0.f, 1.f) : 0.f;
    } else if (t > 1) {
        t = 1;
        s = a > SIMD_EPSILON ? btClamped((b - c) / a, 0.f, 1.f) : 0.f;
    }
    c1 = p1 + d1 * s;
    c2 = p2 + d2 * t;
}

// Collects the clipped points the engine's face clipping reports.
struct Collector : btDiscreteCollisionDetectorInterface::Result {
    explicit Collector(ContactCandidates& out) : out(out) {}
    void setShapeIdentifiersA(int, int) override {}
    void setShapeIdentifiersB(int, int) override {}
    void addContactPoint(const btVector3& normal, const btVector3& point, btScalar depth) override {
        out.push_back(ContactCandidate{normal, point, depth});
    }
    ContactCandidates& out;
};

btScalar TriangleArea2(const btVector3& a, const btVector3& b, const btVector3& c) {
    return (b - a).cross(c - a).length();
}

}  // namespace

void HullCollider::collide(const btConvexPolyhedron& a, const btTransform& poseA,
                           const btConvexPolyhedron& b, const btTransform& poseB, btScalar reach,
                           ContactCandidates& out) {
    Axis face, edge;
    auto tryAxis = [&](btVector3 d, Axis& best) {
        btScalar separation = Separation(a, poseA, b, poseB, d);
        if (separation > best.separation) {
            best.normal = d;
            best.separation = separation;
        }
        return separation <= reach;
    };
    for (int f = 0; f < a.m_faces.size(); ++f) {
        const btScalar* plane = a.m_faces[f].m_plane;
        if (!tryAxis(poseA.getBasis() * btVector3(plane[0], plane[1], plane[2]), face)) return;
    }
    for (int f = 0; f < b.m_faces.size(); ++f) {
        const btScalar* plane = b.m_faces[f].m_plane;
        if (!tryAxis(poseB.getBasis() * btVector3(plane[0], plane[1], plane[2]), face)) return;
    }
    for (int i = 0; i < a.m_uniqueEdges.size(); ++i) {
        btVector3 edgeA = poseA.getBasis() * a.m_uniqueEdges[i];
        for (int j = 0; j < b.m_uniqueEdges.size(); ++j) {
            btVector3 cross = edgeA.cross(poseB.getBasis() * b.m_uniqueEdges[j]);
            btScalar length2 = cross.length2();
            if (length2 < kParallel * edgeA.length2() * b.m_uniqueEdges[j].length2()) continue;
            btScalar before = edge.separation;
            if (!tryAxis(cross / btSqrt(length2), edge)) return;
            if (edge.separation != before) {
                edge.edgeA = a.m_uniqueEdges[i];
                edge.edgeB = b.m_uniqueEdges[j];
            }
        }
    }

    if (edge.separation > face.separation + kEdgeAxisPreference) {
        // Two edges cross: one contact between the nearest points of the actual edges.
        btVector3 fromA, toA, fromB, toB, onA, onB;
        SupportEdge(a, poseA, edge.edgeA, -edge.normal, fromA, toA);
        SupportEdge(b, poseB, edge.edgeB, edge.normal, fromB, toB);
        ClosestOnSegments(fromA, toA, fromB, toB, onA, onB);
        btScalar depth = (onA - onB).dot(edge.normal);
        if (depth <= reach) out.push_back(ContactCandidate{edge.normal, onB, depth});
        return;
    }
    // b's face towards a, clipped to the sides of a's face towards b; no point is taken as
    // deeper than the overlap along the axis.
    Collector collector(out);
    btPolyhedralContactClipping::clipHullAgainstHull(face.normal, a, b, poseA, poseB,
                                                     face.separation - reach, reach, clipIn_,
                                                     clipOut_, collector);
}

void KeepFourSupporting(ContactCandidates& points) {
    int n = points.size();
    if (n <= 4) return;
    auto pick = [&](int slot, auto score) {
        int best = slot;
        btScalar bestScore = -BT_LARGE_FLOAT;
        for (int i = slot; i < n; ++i) {
            btScalar s = score(points[i]);
            if (s > bestScore) {
                bestScore = s;
                best = i;
            }
        }
        points.swap(slot, best);
    };
    pick(0, [](const ContactCandidate& c) { return -c.depth; });
    const btVector3& p0 = points[0].pointOnB;
    pick(1, [&](const ContactCandidate& c) { return (c.pointOnB - p0).length2(); });
    const btVector3& p1 = points[1].pointOnB;
    pick(2, [&](const ContactCandidate& c) { return TriangleArea2(p0, p1, c.pointOnB); });
    const btVector3& p2 = points[2].pointOnB;
    btScalar spanned = TriangleArea2(p0, p1, p2);
    // The fourth adds the most area: inside the triangle it adds none.
    pick(3, [&](const ContactCandidate& c) {
        const btVector3& p = c.pointOnB;
        return TriangleArea2(p0, p1, p) + TriangleArea2(p1, p2, p) + TriangleArea2(p2, p0, p) -
               spanned;
    });
    points.resize(4);
}

void StoreContacts(const ContactCandidates& points, const btTransform& toWorld,
                   btPersistentManifold& manifold, btManifoldResult& result) {
    const btTransform& poseB = manifold.getBody1()->getWorldTransform();
    btScalar matchDistance2 =
        manifold.getContactBreakingThreshold() * manifold.getContactBreakingThreshold();
    for (int i = manifold.getNumContacts() - 1; i >= 0; --i) {
        btVector3 kept = poseB * manifold.getContactPoint(i).m_localPointB;
        bool found = false;
        for (int p = 0; p < points.size() && !found; ++p)
            found = (toWorld * points[p].pointOnB - kept).length2() < matchDistance2;
        if (!found) manifold.removeContactPoint(i);
    }
    for (int p = 0; p < points.size(); ++p)
        result.addContactPoint(toWorld.getBasis() * points[p].normal, toWorld * points[p].pointOnB,
                               points[p].depth);
    result.refreshContactPoints();
}

}  // namespace nx
