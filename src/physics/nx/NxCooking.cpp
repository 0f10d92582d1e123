#include "NxCooking.h"

#include <cstdio>

#include "internal/cooked_format.h"
#include "internal/hull_builder.h"

bool NxInitCooking(NxUserAllocator*, NxUserOutputStream*) {
    return true;
}

void NxCloseCooking() {}

bool NxCookConvexMesh(const NxConvexMeshDesc& desc, NxStream& stream) {
    nx::CookedHull hull;
    if (desc.points == nullptr || desc.pointStrideBytes < 12 ||
        !nx::ComputeHull(desc.points, desc.numVertices, desc.pointStrideBytes, hull)) {
        std::printf("NxCookConvexMesh: the %u points lie on one line\n", desc.numVertices);
        return false;
    }
    nx::WriteHull(hull, stream);
    return true;
}

bool NxCookTriangleMesh(const NxTriangleMeshDesc& desc, NxStream& stream) {
    if (desc.numTriangles == 0 || desc.points == nullptr || desc.triangles == nullptr ||
        desc.pointStrideBytes < 12 || desc.triangleStrideBytes < 12) {
        std::printf("NxCookTriangleMesh: the mesh has no triangles\n");
        return false;
    }
    nx::CookedTriangles mesh;
    for (NxU32 i = 0; i < desc.numVertices; ++i) {
        auto* p = reinterpret_cast<const NxReal*>(static_cast<const char*>(desc.points) +
                                                  size_t(i) * desc.pointStrideBytes);
        mesh.vertices.emplace_back(p[0], p[1], p[2]);
    }
    bool flip = (desc.flags & NX_MF_FLIPNORMALS) != 0;
    for (NxU32 t = 0; t < desc.numTriangles; ++t) {
        auto* corner = reinterpret_cast<const NxU32*>(static_cast<const char*>(desc.triangles) +
                                                      size_t(t) * desc.triangleStrideBytes);
        for (int c = 0; c < 3; ++c) {
            if (corner[c] >= desc.numVertices) {
                std::printf("NxCookTriangleMesh: triangle %u names vertex %u of %u\n", t, corner[c],
                            desc.numVertices);
                return false;
            }
        }
        // Stored counter-clockwise seen from outside.
        mesh.indices.insert(mesh.indices.end(), {corner[0], flip ? corner[2] : corner[1],
                                                 flip ? corner[1] : corner[2]});
    }
    nx::WriteTriangles(mesh, stream);
    return true;
}
