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
