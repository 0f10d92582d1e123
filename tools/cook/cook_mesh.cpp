#include "cook/cook_mesh.h"

#include <vector>

#include "NxCooking.h"
#include "NxVec3.h"
#include "physics/stream.h"
#include "render/ms3d_file.h"

namespace {

struct Geometry {
    std::vector<NxVec3> points;
    std::vector<NxU32> indices;  // three per triangle
};

bool ReadGeometry(const std::string& path, Geometry& geometry) {
    CMS3DFile file;
    if (!file.Load(path.c_str())) return false;
    for (int i = 0; i < file.VertexCount(); ++i) {
        ms3d_vertex_t* v = nullptr;
        file.VertexAt(i, &v);
        geometry.points.emplace_back(v->vertex[0], v->vertex[1], v->vertex[2]);
    }
    const NxU32 count = static_cast<NxU32>(geometry.points.size());
    for (int i = 0; i < file.TriangleCount(); ++i) {
        ms3d_triangle_t* t = nullptr;
        file.TriangleAt(i, &t);
        const uint16_t* corner = t->vertexIndices;
        if (corner[0] >= count || corner[1] >= count || corner[2] >= count) continue;
        geometry.indices.insert(geometry.indices.end(), {corner[0], corner[1], corner[2]});
    }
    return true;
}

template <class Desc>
Desc Describe(const Geometry& g) {
    Desc desc;
    desc.numVertices = static_cast<NxU32>(g.points.size());
    desc.numTriangles = static_cast<NxU32>(g.indices.size() / 3);
    desc.pointStrideBytes = sizeof(NxVec3);
    desc.triangleStrideBytes = 3 * sizeof(NxU32);
    desc.points = g.points.data();
    desc.triangles = g.indices.data();
    return desc;
}

}  // namespace

bool CookModel(const std::string& ms3dPath, std::string& error) {
    Geometry geometry;
    if (!ReadGeometry(ms3dPath, geometry)) {
        error = ms3dPath + ": not a readable MilkShape 3D version 4 file";
        return false;
    }
    std::string base = ms3dPath;
    if (base.size() > 5 && base.compare(base.size() - 5, 5, ".ms3d") == 0)
        base.resize(base.size() - 5);

    NxInitCooking();
    bool convexCooked, concaveCooked;
    {
        UserStream convex((base + ".convex").c_str(), false);
        convexCooked = NxCookConvexMesh(Describe<NxConvexMeshDesc>(geometry), convex);
    }
    {
        UserStream concave((base + ".concave").c_str(), false);
        concaveCooked = NxCookTriangleMesh(Describe<NxTriangleMeshDesc>(geometry), concave);
    }
    NxCloseCooking();
    if (!convexCooked || !concaveCooked) {
        error = ms3dPath + ": " +
                (convexCooked ? "no triangles to cook" : "the vertices enclose no volume");
        return false;
    }
    return true;
}
