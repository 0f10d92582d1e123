// What the SDK's mesh objects hold: the engine's collision shapes, built once per mesh and
// shared by every actor that uses the mesh.
#pragma once

#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

#include "internal/bullet_world.h"
#include "internal/cooked_format.h"
#include "internal/hull_contacts.h"

namespace nx {

struct ConvexMeshData {
    CookedHull hull;
    // The body frame (centre of mass, principal axes) in the mesh's frame. Bodies turn about
    // their frame's origin, so the shape is built around the centre of mass on the principal
    // axes, and actor poses are converted with this transform.
    btTransform principal;
    std::unique_ptr<HullShape> shape;
};

struct TriangleMeshData {
    std::vector<btScalar> vertices;  // three per vertex
    std::vector<int> indices;        // three per triangle
    std::unique_ptr<btTriangleIndexVertexArray> arrays;
    std::unique_ptr<EdgeAwareMeshShape> shape;
    // A triangle mesh on a dynamic actor moves as the convex hull of its vertices (the engine's
    // triangle meshes cannot move freely); built on first use.
    std::unique_ptr<ConvexMeshData> movingHull;
};

}  // namespace nx
