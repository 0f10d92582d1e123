#include "internal/hull_builder.h"

#include <BulletCollision/CollisionShapes/btConvexPolyhedron.h>
#include <BulletCollision/CollisionShapes/btConvexTriangleMeshShape.h>
#include <LinearMath/btConvexHullComputer.h>

#include <cmath>

#include "internal/bullet_convert.h"

namespace nx {

namespace {

constexpr btScalar kMaxShrinkOfInnerRadius = 0.25f;

// The faces of a computed hull as a triangle fan each.
void Triangulate(const btConvexHullComputer& computer, btTriangleMesh& triangles) {
    for (int f = 0; f < computer.faces.size(); ++f) {
        const btConvexHullComputer::Edge* first = &computer.edges[computer.faces[f]];
        const btConvexHullComputer::Edge* edge = first->getNextEdgeOfFace();
        const btVector3& apex = computer.vertices[first->getSourceVertex()];
        while (edge->getTargetVertex() != first->getSourceVertex()) {
            triangles.addTriangle(apex, computer.vertices[edge->getSourceVertex()],
                                  computer.vertices[edge->getTargetVertex()]);
            edge = edge->getNextEdgeOfFace();
        }
    }
}

}  // namespace

bool ComputeHull(const void* points, NxU32 count, NxU32 strideBytes, CookedHull& hull) {
    // Bullet's hull computer runs off into invalid memory on a NaN, so every point is checked
    // (and copied aligned) first.
    std::vector<NxVec3> gathered;
    if (count < 3 || !GatherPoints(points, count, strideBytes, gathered)) return false;
    btConvexHullComputer computer;
    computer.compute(&gathered[0].x, sizeof(NxVec3), static_cast<int>(count), 0, 0);
    if (computer.vertices.size() < 3) return false;  // a point or a line
    btVector3 low = computer.vertices[0], high = low;
    hull.points.clear();
    for (int i = 0; i < computer.vertices.size(); ++i) {
        low.setMin(computer.vertices[i]);
        high.setMax(computer.vertices[i]);
        hull.points.push_back(ToNx(computer.vertices[i]));
    }
    btScalar length = (high - low).length();
    if (!std::isfinite(length) || !(length > 0)) return false;

    btTransform principal = btTransform::getIdentity();
    btVector3 inertia(0, 0, 0);
    btScalar volume = 0;
    if (computer.faces.size() >= 4) {
        btTriangleMesh triangles;
        Triangulate(computer, triangles);
        btConvexTriangleMeshShape solid(&triangles, true);
        solid.calculatePrincipalAxisTransform(principal, inertia, volume);
    }
    if (volume > kMinRelativeVolume * length * length * length) {
        // Keep the axes a right-handed rotation.
        btMatrix3x3 axes = principal.getBasis();
        if (axes.determinant() < 0)
            axes.setValue(-axes[0][0], axes[0][1], axes[0][2], -axes[1][0], axes[1][1], axes[1][2],
                          -axes[2][0], axes[2][1], axes[2][2]);
        hull.volume = volume;
        hull.centreOfMass = ToNx(principal.getOrigin());
        hull.principalAxes = ToNx(axes);
        hull.inertiaPerMass = ToNx(inertia);
    } else {
        // A flat hull (a plate of no thickness): fine for static actors, no mass to give.
        btVector3 centre(0, 0, 0);
        for (int i = 0; i < computer.vertices.size(); ++i) centre += computer.vertices[i];
        hull.volume = 0;
        hull.centreOfMass = ToNx(centre / static_cast<btScalar>(computer.vertices.size()));
        hull.principalAxes.id();
        hull.inertiaPerMass.zero();
    }
    return true;
}

std::unique_ptr<ConvexMeshData> BuildConvexMesh(CookedHull hull, btScalar margin) {
    auto mesh = std::make_unique<ConvexMeshData>();
    mesh->principal = btTransform(ToBt(hull.principalAxes), ToBt(hull.centreOfMass));
    btTransform toBody = mesh->principal.inverse();
    std::vector<btVector3> local;
    local.reserve(hull.points.size());
    for (const NxVec3& p : hull.points) local.push_back(toBody * ToBt(p));

    btConvexHullComputer shrunk;
    btScalar shrink =
        shrunk.compute(&local[0].x(), sizeof(btVector3), static_cast<int>(local.size()), margin,
                       kMaxShrinkOfInnerRadius);
    if (hull.volume > 0 && shrink > 0 && shrunk.vertices.size() >= 4) {
        mesh->shape = std::make_unique<HullShape>(&shrunk.vertices[0].x(), shrunk.vertices.size(),
                                                  sizeof(btVector3));
    } else {
        // A flat hull cannot shrink; it keeps the whole margin around it.
        shrink = margin;
        mesh->shape = std::make_unique<HullShape>(&local[0].x(), static_cast<int>(local.size()),
                                                  sizeof(btVector3));
    }
    mesh->shape->optimizeConvexHull();
    mesh->shape->setMargin(shrink);
    mesh->shape->recalcLocalAabb();  // the cached bounds do not follow setMargin
    if (hull.volume > 0) {
        // Faces of the cooked hull itself (coplanar triangles merged): contacts with other
        // hulls and with triangles are then clipped face against face, giving a box landing
        // on a floor all its corners at once, and rays meet the hull exactly.
        btConvexHullShape cooked(&local[0].x(), static_cast<int>(local.size()), sizeof(btVector3));
        cooked.initializePolyhedralFeatures();
        btConvexPolyhedron faces = *cooked.getConvexPolyhedron();
        mesh->shape->setFaces(faces);
    }
    mesh->hull = std::move(hull);
    return mesh;
}

std::unique_ptr<TriangleMeshData> BuildTriangleMesh(const CookedTriangles& triangles) {
    auto mesh = std::make_unique<TriangleMeshData>();
    for (const NxVec3& v : triangles.vertices)
        mesh->vertices.insert(mesh->vertices.end(), {v.x, v.y, v.z});
    mesh->indices.assign(triangles.indices.begin(), triangles.indices.end());
    mesh->arrays = std::make_unique<btTriangleIndexVertexArray>(
        static_cast<int>(mesh->indices.size() / 3), mesh->indices.data(), 3 * sizeof(int),
        static_cast<int>(triangles.vertices.size()), mesh->vertices.data(), 3 * sizeof(btScalar));
    mesh->shape = std::make_unique<EdgeAwareMeshShape>(mesh->arrays.get());
    return mesh;
}

ConvexMeshData* MovingHullOf(TriangleMeshData& mesh, btScalar margin) {
    if (!mesh.movingHull) {
        CookedHull hull;
        if (!ComputeHull(mesh.vertices.data(), static_cast<NxU32>(mesh.vertices.size() / 3),
                         3 * sizeof(btScalar), hull))
            return nullptr;
        mesh.movingHull = BuildConvexMesh(std::move(hull), margin);
    }
    return mesh.movingHull.get();
}

}  // namespace nx
