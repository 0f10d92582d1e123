// Convex hulls and their exact mass properties, for cooking and for loading.
#pragma once

#include <memory>

#include "internal/mesh_data.h"

namespace nx {

// The convex hull of `count` points (x, y, z floats every strideBytes) with its volume, centre
// of mass, principal axes and inertia per unit mass. Coplanar points give a flat hull of volume
// 0 (for static actors only); false when the points lie on one line or one is not Plausible.
bool ComputeHull(const void* points, NxU32 count, NxU32 strideBytes, CookedHull& hull);

// The collision shape of a cooked hull in its body frame. The hull is shrunk by the collision
// margin (at most a quarter of its inner radius), so the shape with its margin is the cooked
// hull itself.
std::unique_ptr<ConvexMeshData> BuildConvexMesh(CookedHull hull, btScalar margin);

// The static mesh shape of cooked triangles, with internal-edge information.
std::unique_ptr<TriangleMeshData> BuildTriangleMesh(const CookedTriangles& triangles);

// The shape a dynamic actor with this triangle mesh uses (see TriangleMeshData::movingHull);
// null when the vertices lie on one line.
ConvexMeshData* MovingHullOf(TriangleMeshData& mesh, btScalar margin);

}  // namespace nx
