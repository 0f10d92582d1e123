#include "cook/model_info.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/json_writer.h"
#include "render/ms3d_file.h"

namespace {

// A fixed-size name field as text: it need not end in a zero.
std::string FieldText(const char* field, size_t size) {
    size_t length = 0;
    while (length < size && field[length] != '\0') ++length;
    return std::string(field, length);
}

// Every index of the file that points outside what it refers to.
std::vector<std::string> IndexProblems(CMS3DFile& file) {
    std::vector<std::string> problems;
    char text[160];
    for (int i = 0; i < file.TriangleCount(); ++i) {
        ms3d_triangle_t* t = nullptr;
        file.TriangleAt(i, &t);
        for (int c = 0; c < 3; ++c)
            if (t->vertexIndices[c] >= file.VertexCount()) {
                std::snprintf(text, sizeof text, "triangle %d: vertex index %d of %d vertices", i,
                              t->vertexIndices[c], file.VertexCount());
                problems.push_back(text);
            }
        if (t->groupIndex >= file.GroupCount()) {
            std::snprintf(text, sizeof text, "triangle %d: group index %d of %d groups", i,
                          t->groupIndex, file.GroupCount());
            problems.push_back(text);
        }
    }
    for (int i = 0; i < file.GroupCount(); ++i) {
        ms3d_group_t* g = nullptr;
        file.GroupAt(i, &g);
        if (g->materialIndex < 0 || g->materialIndex >= file.MaterialCount()) {
            std::snprintf(text, sizeof text, "group %d: material index %d of %d materials", i,
                          g->materialIndex, file.MaterialCount());
            problems.push_back(text);
        }
        for (int k = 0; k < g->numtriangles; ++k)
            if (g->triangleIndices[k] >= file.TriangleCount()) {
                std::snprintf(text, sizeof text, "group %d: triangle index %d of %d triangles", i,
                              g->triangleIndices[k], file.TriangleCount());
                problems.push_back(text);
            }
    }
    return problems;
}

}  // namespace

std::string UnreadableModel(const std::string& path, const CMS3DFile::ReadReport& read) {
    return path + ": not a readable MilkShape 3D version 4 file (" + read.Where() + ")";
}

bool DescribeModel(const std::string& path, std::string& json, std::string& error) {
    CMS3DFile file;
    if (!file.Load(path.c_str())) {
        error = UnreadableModel(path, file.LastRead());
        return false;
    }
    const CMS3DFile::ReadReport& read = file.LastRead();

    JsonWriter out;
    out.beginObject();
    out.field("version", 4);  // the only one the reader takes
    out.field("vertices", file.VertexCount());
    out.field("triangles", file.TriangleCount());
    out.field("groups", file.GroupCount());
    out.field("materials", file.MaterialCount());
    out.field("joints", file.JointCount());
    out.field("edges", file.EdgeCount());
    out.field("fps", static_cast<double>(file.AnimationFps()));
    out.field("currentTime", static_cast<double>(file.CurrentTime()));
    out.field("totalFrames", file.TotalFrames());
    out.beginArray("groupTriangles");
    for (int i = 0; i < file.GroupCount(); ++i) {
        ms3d_group_t* g = nullptr;
        file.GroupAt(i, &g);
        out.value(g->numtriangles);
    }
    out.endArray();
    out.beginArray("groupMaterials");
    for (int i = 0; i < file.GroupCount(); ++i) {
        ms3d_group_t* g = nullptr;
        file.GroupAt(i, &g);
        out.value(g->materialIndex);
    }
    out.endArray();
    out.beginArray("materialNames");
    for (int i = 0; i < file.MaterialCount(); ++i) {
        ms3d_material_t* m = nullptr;
        file.MaterialAt(i, &m);
        out.value(FieldText(m->name, sizeof m->name).c_str());
    }
    out.endArray();
    out.beginArray("textures");
    for (int i = 0; i < file.MaterialCount(); ++i) {
        ms3d_material_t* m = nullptr;
        file.MaterialAt(i, &m);
        out.value(FieldText(m->texture, sizeof m->texture).c_str());
    }
    out.endArray();
    out.field("trailingBytes", static_cast<double>(read.fileBytes - read.readBytes));
    out.beginArray("problems");
    for (const std::string& problem : IndexProblems(file)) out.value(problem.c_str());
    out.endArray();
    out.endObject();
    json = out.text();
    return true;
}
