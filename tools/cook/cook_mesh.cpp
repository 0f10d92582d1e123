#include "cook/cook_mesh.h"

#include "NxCooking.h"
#include "cook/model_info.h"
#include "physics/stream.h"
#include "render/ms3d_file.h"
#include "triangle_list.h"

namespace {

bool ReadGeometry(const std::string& path, TriangleList& geometry, std::string& error) {
    CMS3DFile file;
    if (!file.Load(path.c_str())) {
        error = UnreadableModel(path, file.LastRead());
        return false;
    }
    for (int i = 0; i < file.VertexCount(); ++i) {
        ms3d_vertex_t* v = nullptr;
        file.VertexAt(i, &v);
        geometry.vertices.emplace_back(v->vertex[0], v->vertex[1], v->vertex[2]);
    }
    for (int i = 0; i < file.TriangleCount(); ++i) {
        ms3d_triangle_t* t = nullptr;
        file.TriangleAt(i, &t);
        geometry.addTriangle(t->vertexIndices[0], t->vertexIndices[1], t->vertexIndices[2]);
    }
    return true;
}

}  // namespace

bool CookModel(const std::string& ms3dPath, std::string& error) {
    TriangleList geometry;
    if (!ReadGeometry(ms3dPath, geometry, error)) return false;
    std::string base = ms3dPath;
    if (base.size() > 5 && base.compare(base.size() - 5, 5, ".ms3d") == 0)
        base.resize(base.size() - 5);

    NxInitCooking();
    bool convexCooked, concaveCooked;
    {
        UserStream convex((base + ".convex").c_str(), false);
        convexCooked = NxCookConvexMesh(geometry.describe<NxConvexMeshDesc>(), convex);
    }
    {
        UserStream concave((base + ".concave").c_str(), false);
        concaveCooked = NxCookTriangleMesh(geometry.describe<NxTriangleMeshDesc>(), concave);
    }
    NxCloseCooking();
    if (!convexCooked || !concaveCooked) {
        error = ms3dPath + ": " +
                (convexCooked ? "no triangles to cook" : "the vertices enclose no volume");
        return false;
    }
    return true;
}
