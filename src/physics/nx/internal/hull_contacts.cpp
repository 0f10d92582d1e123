#include "internal/hull_contacts.h"

#include <BulletCollision/CollisionDispatch/btManifoldResult.h>

#include <cstring>
#include <utility>
#include <BulletCollision/CollisionDispatch/btCollisionObject.h>

namespace nx {

namespace {

// An edge pair is taken as the separating axis only when it beats the best face by this much:
// faces give whole patches of contact, and a face normal that is also an edge pair's cross
// product must stay a face.
constexpr btScalar kEdgeAxisPreference = 0.005f;
constexpr btScalar kParallel = 1e-6f;  // squared sine below which two directions are parallel
// How far a contact normal may lean out over a flat edge (a sine): rounding, not a direction.
constexpr btScalar kFlatEdgeLean = 1e-3f;

// The best axis found so far: its separation, its normal (from b towards a) and where it
// comes from: a face of a or of b, or a pair of edges.
struct Axis {
    btScalar separation = -BT_LARGE_FLOAT;
    btVector3 normal{0, 0, 0};
    int faceA = -1, faceB = -1;
    const PolyEdge* edgeA = nullptr;
    const PolyEdge* edgeB = nullptr;
};

// The face whose outward normal points most along `direction`: the face of a polyhedron
// that meets the reference face is the one turned most against it.
int MostAlong(const btConvexPolyhedron& poly, const btVector3& direction) {
    int best = 0;
    for (int f = 1; f < poly.m_faces.size(); ++f) {
        const btScalar *plane = poly.m_faces[f].m_plane, *top = poly.m_faces[best].m_plane;
        if (direction.dot(btVector3(plane[0], plane[1], plane[2])) >
            direction.dot(btVector3(top[0], top[1], top[2])))
            best = f;
    }
    return best;
}
int MostAlong(const btAlignedObjectArray<Plane>& planes, const btVector3& direction) {
    int best = 0;
    for (int f = 1; f < planes.size(); ++f)
        if (direction.dot(planes[f].normal) > direction.dot(planes[best].normal)) best = f;
    return best;
}

// Four lanes of btScalar, for the loops over columns.
typedef btScalar Four __attribute__((vector_size(4 * sizeof(btScalar))));

Four Load(const btScalar* at) {
    Four lanes;
    std::memcpy(&lanes, at, sizeof lanes);
    return lanes;
}
Four Spread(btScalar value) {
    return Four{value, value, value, value};
}

// How far the deepest of `corners` lies beyond the plane (normal, offset): the least of
// normal . corner, each worked out as btVector3::dot works it out, four corners at a time (the
// least of them does not depend on the order they are compared in).
btScalar DeepestBeyond(const Columns& corners, const btVector3& normal, btScalar offset) {
    const Four nx = Spread(normal.x()), ny = Spread(normal.y()), nz = Spread(normal.z());
    Four least = Spread(BT_LARGE_FLOAT);
    for (int i = 0; i < 4 * corners.groups(); i += 4) {
        Four height =
            nx * Load(&corners.x[i]) + ny * Load(&corners.y[i]) + nz * Load(&corners.z[i]);
        least = least < height ? least : height;
    }
    return btMin(btMin(least[0], least[1]), btMin(least[2], least[3])) + offset;
}

// Whether the arcs of face normals of two edges cross on the sphere of directions (b's normals
// negated): only then can the edges' cross product separate the polyhedra. Negating b's normals
// flips the signs of the dot products with a's arc and leaves b's arc as it is.
bool ArcsCross(const PolyEdge& a, const PolyEdge& b) {
    btScalar cba = b.normal0.dot(a.arc), dba = b.normal1.dot(a.arc);
    btScalar adc = a.normal0.dot(b.arc), bdc = a.normal1.dot(b.arc);
    return cba * dba < 0 && adc * bdc < 0 && cba * bdc < 0;
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

// The edges of a polyhedron's faces, each once, with the faces on its two sides.
void CollectEdges(const btConvexPolyhedron& faces, PolyEdges& edges) {
    struct Seen {
        int low, high;
    };
    btAlignedObjectArray<Seen> seen;
    edges.resize(0);
    for (int f = 0; f < faces.m_faces.size(); ++f) {
        const btFace& face = faces.m_faces[f];
        btVector3 normal(face.m_plane[0], face.m_plane[1], face.m_plane[2]);
        for (int i = 0; i < face.m_indices.size(); ++i) {
            int u = face.m_indices[i], v = face.m_indices[(i + 1) % face.m_indices.size()];
            Seen key{btMin(u, v), btMax(u, v)};
            int found = 0;
            while (found < seen.size() &&
                   (seen[found].low != key.low || seen[found].high != key.high))
                ++found;
            if (found < seen.size()) {
                const PolyEdge& first = edges[found];
                edges[found] = PolyEdge{first.from, first.to, first.normal0, normal};
                continue;
            }
            seen.push_back(key);
            edges.push_back(PolyEdge{faces.m_vertices[u], faces.m_vertices[v], normal, normal});
        }
    }
}

void ColumnsOf(const btAlignedObjectArray<btVector3>& vectors, Columns& columns) {
    columns.fill(vectors.size(), [&](int i) -> const btVector3& { return vectors[i]; });
}

}  // namespace

void HullShape::setFaces(btConvexPolyhedron& faces) {
    setPolyhedralFeatures(faces);
    CollectEdges(faces, edges);
    ColumnsOf(faces.m_vertices, corners);
}

void HullCollider::collide(const HullShape& a, const btTransform& poseA, const HullShape& b,
                           const btTransform& poseB, btScalar reach, ContactCandidates& out) {
    // Everything is measured in a's frame, with b's corners, faces and edges carried there once.
    const btTransform bInA = poseA.inverseTimes(poseB);
    const btMatrix3x3& turn = bInA.getBasis();
    b_ = b.getConvexPolyhedron();
    corners_.resize(b_->m_vertices.size());
    for (int i = 0; i < corners_.size(); ++i) corners_[i] = bInA * b_->m_vertices[i];
    planes_.resize(b_->m_faces.size());
    for (int f = 0; f < planes_.size(); ++f) {
        const btScalar* plane = b_->m_faces[f].m_plane;
        btVector3 normal = turn * btVector3(plane[0], plane[1], plane[2]);
        planes_[f] = Plane{normal, plane[3] - normal.dot(bInA.getOrigin())};
    }
    flatCount_ = 0;
    edges_.resize(b.edges.size());
    for (int i = 0; i < edges_.size(); ++i) {
        const PolyEdge& e = b.edges[i];
        edges_[i] = PolyEdge{bInA * e.from, bInA * e.to, turn * e.normal0, turn * e.normal1};
    }
    collideWithB(a, poseA, reach, out);
}

void HullCollider::collide(const HullShape& a, const btTransform& poseA,
                           const btVector3 triangle[3], unsigned flatEdges, btScalar reach,
                           ContactCandidates& out) {
    const btTransform toA = poseA.inverse();
    btVector3 corner[3] = {toA * triangle[0], toA * triangle[1], toA * triangle[2]};
    btVector3 normal = (corner[1] - corner[0]).cross(corner[2] - corner[0]);
    if (normal.length2() < SIMD_EPSILON) return;  // a sliver
    normal.normalize();
    if (triangle_.m_faces.size() == 0) {  // both sides of one polygon, set up once
        triangle_.m_faces.resize(2);
        for (int i = 0; i < 3; ++i) {
            triangle_.m_faces[0].m_indices.push_back(i);
            triangle_.m_faces[1].m_indices.push_back(2 - i);
        }
    }
    b_ = &triangle_;
    corners_.resize(3);
    for (int i = 0; i < 3; ++i) corners_[i] = corner[i];
    planes_.resize(2);
    planes_[0] = Plane{normal, -normal.dot(corner[0])};
    planes_[1] = Plane{-normal, normal.dot(corner[0])};
    // Each edge's arc of normals runs from one side over the outward direction to the other.
    edges_.resize(6);
    flatCount_ = 0;
    for (int i = 0; i < 3; ++i) {
        const btVector3 &from = corner[i], &to = corner[(i + 1) % 3];
        btVector3 outward = (to - from).cross(normal).normalized();
        edges_[2 * i] = PolyEdge{from, to, normal, outward};
        edges_[2 * i + 1] = PolyEdge{from, to, outward, -normal};
        if (flatEdges & (1u << i)) flatOutward_[flatCount_++] = outward;
    }
    collideWithB(a, poseA, reach, out);
}

// The first of ArcsCross's tests, worked out as it works it out, for four edges at a time.
void HullCollider::markStraddling(const btVector3& arc) {
    const Four ax = Spread(arc.x()), ay = Spread(arc.y()), az = Spread(arc.z());
    const Columns &n0 = edgeNormals0_, &n1 = edgeNormals1_;
    for (int j = 0; j < 4 * n0.groups(); j += 4) {
        Four side0 = Load(&n0.x[j]) * ax + Load(&n0.y[j]) * ay + Load(&n0.z[j]) * az;
        Four side1 = Load(&n1.x[j]) * ax + Load(&n1.y[j]) * ay + Load(&n1.z[j]) * az;
        auto opposite = side0 * side1 < Spread(0);  // all bits set where true
        static_assert(sizeof opposite == 4 * sizeof(int), "four int lanes");
        std::memcpy(&straddling_[j], &opposite, sizeof opposite);
    }
}

bool HullCollider::allowed(const btVector3& normal) const {
    for (int i = 0; i < flatCount_; ++i)
        if (normal.dot(flatOutward_[i]) > kFlatEdgeLean) return false;
    return true;
}

// Every axis is tried for separation; only the allowed ones compete to be the contact's axis
// (a triangle's own faces always are).
void HullCollider::collideWithB(const HullShape& a, const btTransform& poseA, btScalar reach,
                                ContactCandidates& out) {
    const btConvexPolyhedron& faces = *a.getConvexPolyhedron();
    ColumnsOf(corners_, cornerColumns_);
    Axis face, edge;
    // a's faces against b's deepest corner, then b's faces against a's.
    for (int f = 0; f < faces.m_faces.size(); ++f) {
        const btScalar* plane = faces.m_faces[f].m_plane;
        btVector3 n(plane[0], plane[1], plane[2]);
        btScalar separation = DeepestBeyond(cornerColumns_, n, plane[3]);
        if (separation > reach) return;
        if (separation > face.separation && allowed(-n)) face = Axis{separation, -n, f, -1};
    }
    for (int f = 0; f < planes_.size(); ++f) {
        btScalar separation = DeepestBeyond(a.corners, planes_[f].normal, planes_[f].offset);
        if (separation > reach) return;
        if (separation > face.separation) face = Axis{separation, planes_[f].normal, -1, f};
    }
    // Pairs of edges whose normals' arcs cross, measured outwards from a's centre.
    edgeNormals0_.fill(edges_.size(), [&](int j) -> const btVector3& { return edges_[j].normal0; });
    edgeNormals1_.fill(edges_.size(), [&](int j) -> const btVector3& { return edges_[j].normal1; });
    straddling_.resize(4 * edgeNormals0_.groups());
    for (int i = 0; i < a.edges.size(); ++i) {
        const PolyEdge& ea = a.edges[i];
        btVector3 alongA = ea.to - ea.from;
        markStraddling(ea.arc);
        for (int j = 0; j < edges_.size(); ++j) {
            if (!straddling_[j]) continue;
            const PolyEdge& eb = edges_[j];
            if (!ArcsCross(ea, eb)) continue;
            btVector3 alongB = eb.to - eb.from;
            btVector3 cross = alongA.cross(alongB);
            btScalar length2 = cross.length2();
            if (length2 < kParallel * alongA.length2() * alongB.length2()) continue;
            btVector3 outward = cross / btSqrt(length2);
            if (outward.dot(ea.from - faces.m_localCenter) < 0) outward = -outward;
            btScalar separation = outward.dot(eb.from - ea.from);
            if (separation > reach) return;
            if (separation > edge.separation && allowed(-outward))
                edge = Axis{separation, -outward, -1, -1, &ea, &eb};
        }
    }

    if (edge.separation > face.separation + kEdgeAxisPreference) {
        // Two edges cross: one contact between their nearest points.
        btVector3 onA, onB;
        ClosestOnSegments(edge.edgeA->from, edge.edgeA->to, edge.edgeB->from, edge.edgeB->to, onA,
                          onB);
        btScalar depth = (onA - onB).dot(edge.normal);
        if (depth <= reach)
            out.push_back(ContactCandidate{poseA.getBasis() * edge.normal, poseA * onB, depth});
        return;
    }
    if (face.faceA >= 0) {
        const btScalar* plane = faces.m_faces[face.faceA].m_plane;
        clip(faces, faces.m_vertices, face.faceA,
             Plane{btVector3(plane[0], plane[1], plane[2]), plane[3]}, *b_, corners_,
             MostAlong(planes_, face.normal), true, poseA, reach, out);
    } else {
        clip(*b_, corners_, face.faceB, planes_[face.faceB], faces, faces.m_vertices,
             MostAlong(faces, -face.normal), false, poseA, reach, out);
    }
}

void HullCollider::clip(const btConvexPolyhedron& reference,
                        const btAlignedObjectArray<btVector3>& referenceCorners, int referenceFace,
                        const Plane& plane, const btConvexPolyhedron& incident,
                        const btAlignedObjectArray<btVector3>& incidentCorners, int incidentFace,
                        bool referenceIsA, const btTransform& poseA, btScalar reach,
                        ContactCandidates& out) {
    const btAlignedObjectArray<int>& loop = incident.m_faces[incidentFace].m_indices;
    btVertexArray* in = &clipIn_;
    btVertexArray* kept = &clipOut_;
    in->resize(0);
    for (int i = 0; i < loop.size(); ++i) in->push_back(incidentCorners[loop[i]]);
    // Keep what lies within the sides of the reference face: the planes through its edges,
    // facing out (the loop may run either way round its normal).
    const btAlignedObjectArray<int>& sides = reference.m_faces[referenceFace].m_indices;
    btVector3 turning(0, 0, 0);
    for (int i = 0; i < sides.size(); ++i)
        turning +=
            referenceCorners[sides[i]].cross(referenceCorners[sides[(i + 1) % sides.size()]]);
    btScalar way = turning.dot(plane.normal) >= 0 ? 1 : -1;
    for (int i = 0; i < sides.size() && in->size() > 0; ++i) {
        const btVector3& from = referenceCorners[sides[i]];
        const btVector3& to = referenceCorners[sides[(i + 1) % sides.size()]];
        btVector3 side = (to - from).cross(plane.normal) * way;
        kept->resize(0);
        btPolyhedralContactClipping::clipFace(*in, *kept, side, -side.dot(from));
        std::swap(in, kept);
    }
    // Points of the incident face within reach of the reference face's plane touch it.
    for (int i = 0; i < in->size(); ++i) {
        const btVector3& p = (*in)[i];
        btScalar depth = plane.normal.dot(p) + plane.offset;
        if (depth > reach) continue;
        // The normal points from b to a; the point lies on b.
        btVector3 normal = referenceIsA ? -plane.normal : plane.normal;
        btVector3 onB = referenceIsA ? p : p - plane.normal * depth;
        out.push_back(ContactCandidate{poseA.getBasis() * normal, poseA * onB, depth});
    }
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
