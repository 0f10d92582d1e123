// Points and triangles as the SDK's mesh descriptions take them: what the cooking tool cooks
// from a model, what a cooked triangle mesh holds, and what a CCD skeleton is built from.
#pragma once

#include <vector>

#include "NxMeshes.h"

struct TriangleList {
    std::vector<NxVec3> vertices;
    std::vector<NxU32> indices;  // three per triangle, into `vertices`

    // Adds the triangle unless a corner names a vertex the list does not have: model files may
    // hold such triangles, and they are left out.
    void addTriangle(NxU32 a, NxU32 b, NxU32 c) {
        const NxU32 count = static_cast<NxU32>(vertices.size());
        if (a < count && b < count && c < count) indices.insert(indices.end(), {a, b, c});
    }

    // The whole list as a mesh description: NxSimpleTriangleMesh for a CCD skeleton,
    // NxConvexMeshDesc or NxTriangleMeshDesc for cooking. It points into the list.
    template <class Desc = NxSimpleTriangleMesh>
    Desc describe(NxU32 flags = 0) const {
        Desc desc;
        desc.numVertices = static_cast<NxU32>(vertices.size());
        desc.numTriangles = static_cast<NxU32>(indices.size() / 3);
        desc.pointStrideBytes = sizeof(NxVec3);
        desc.triangleStrideBytes = 3 * sizeof(NxU32);
        desc.points = vertices.data();
        desc.triangles = indices.data();
        desc.flags = flags;
        return desc;
    }
};
