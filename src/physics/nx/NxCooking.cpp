#include "NxCooking.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "internal/cooked_format.h"
#include "internal/hull_builder.h"

bool NxInitCooking(NxUserAllocator*, NxUserOutputStream*) {
    return true;
}

void NxCloseCooking() {}

namespace {

// The description's points, or false with a console line naming `caller` when there are none or
// one of them is not finite or absurdly far out.
bool Gather(const char* caller, const void* points, NxU32 count, NxU32 strideBytes,
            std::vector<NxVec3>& out) {
    if (points == nullptr || strideBytes < 12) {
        std::printf("%s: the mesh has no points\n", caller);
        return false;
    }
    if (nx::GatherPoints(points, count, strideBytes, out)) return true;
    std::printf("%s: a point is not a finite number or lies beyond %g\n", caller,
                nx::kMaxCoordinate);
    return false;
}

}  // namespace

bool NxCookConvexMesh(const NxConvexMeshDesc& desc, NxStream& stream) {
    nx::CookedHull hull;
    std::vector<NxVec3> points;
    if (!Gather("NxCookConvexMesh", desc.points, desc.numVertices, desc.pointStrideBytes, points))
        return false;
    if (!nx::ComputeHull(points.data(), desc.numVertices, sizeof(NxVec3), hull)) {
        std::printf("NxCookConvexMesh: the %u points lie on one line\n", desc.numVertices);
        return false;
    }
    nx::WriteHull(hull, stream);
    return true;
}

bool NxCookTriangleMesh(const NxTriangleMeshDesc& desc, NxStream& stream) {
    if (desc.numTriangles == 0 || desc.triangles == nullptr || desc.triangleStrideBytes < 12) {
        std::printf("NxCookTriangleMesh: the mesh has no triangles\n");
        return false;
    }
    nx::CookedTriangles mesh;
    if (!Gather("NxCookTriangleMesh", desc.points, desc.numVertices, desc.pointStrideBytes,
                mesh.vertices))
        return false;
    bool flip = (desc.flags & NX_MF_FLIPNORMALS) != 0;
    for (NxU32 t = 0; t < desc.numTriangles; ++t) {
        NxU32 corner[3];
        std::memcpy(corner,
                    static_cast<const char*>(desc.triangles) + size_t(t) * desc.triangleStrideBytes,
                    sizeof corner);
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
