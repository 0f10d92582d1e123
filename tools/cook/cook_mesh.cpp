#include "cook/cook_mesh.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "NxCooking.h"
#include "memory_stream.h"
#include "cook/model_info.h"
#include "platform/game_path.h"
#include "render/ms3d_file.h"
#include "triangle_list.h"

namespace {

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when all of
// it is on disk, so `path` holds either its old contents or the new ones, never a part.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written =
        file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    error = path + ": cannot be written (" + std::strerror(errno) + ")";
    std::remove(temporary.c_str());
    return false;
}

bool ReadGeometry(const std::string& path, TriangleList& geometry, std::string& error) {
    CMS3DFile file;
    if (!file.Load(path.c_str())) {
        error = UnreadableModel(path, file.LastRead());
        return false;
    }
    for (int i = 0; i < file.VertexCount(); ++i) {
        ms3d_vertex_t* v = nullptr;
        file.VertexAt(i, &v);
        // By value: the packed record's floats lie unaligned, so no reference may bind to them.
        geometry.vertices.push_back(NxVec3(v->vertex[0], v->vertex[1], v->vertex[2]));
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
    std::string base = GamePath(ms3dPath.c_str());
    if (base.size() > 5 && base.compare(base.size() - 5, 5, ".ms3d") == 0)
        base.resize(base.size() - 5);

    // Both meshes are cooked in memory first: a model that cannot be cooked leaves the cooked
    // files of an earlier, good version as they were.
    NxInitCooking();
    MemoryStream convex, concave;
    bool convexCooked = NxCookConvexMesh(geometry.describe<NxConvexMeshDesc>(), convex);
    bool concaveCooked =
        convexCooked && NxCookTriangleMesh(geometry.describe<NxTriangleMeshDesc>(), concave);
    NxCloseCooking();
    if (!convexCooked || !concaveCooked) {
        error = ms3dPath + ": " +
                (convexCooked ? "no triangles to cook" : "the vertices enclose no volume");
        return false;
    }
    return WriteWholeFile(base + ".convex", convex.bytes, error) &&
           WriteWholeFile(base + ".concave", concave.bytes, error);
}
