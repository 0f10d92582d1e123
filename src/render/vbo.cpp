#include "render/vbo.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

#include "render/model.h"

std::vector<VBO> VBOList;

namespace {

const VBO* FindRecord(const char* name) {
    for (const VBO& record : VBOList)
        if (record.name == name) return &record;
    return nullptr;
}

GLuint MakeBuffer(const std::vector<float>& data) {
    GLuint buffer = 0;
    glGenBuffersARB(1, &buffer);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
    glBufferDataARB(GL_ARRAY_BUFFER_ARB, data.size() * sizeof(float), data.data(),
                    GL_STATIC_DRAW_ARB);
    return buffer;
}

}  // namespace

bool FindVBO(const char* name) {
    std::printf("VBOList groesse:  %i\n", static_cast<int>(VBOList.size()));
    return FindRecord(name) != nullptr;
}

VBO BuildVBO(const char* name, Model* model) {
    std::printf("::%s::\n", name);
    if (const VBO* record = FindRecord(name)) return *record;
    if (model == nullptr) return VBO{};

    // Count the triangles of each material; the running sums give each material's first
    // corner, so every corner is written straight to its place in material order.
    std::vector<int32_t>& counts = model->materialTriangleCounts;
    counts.assign(model->materials.size(), 0);
    for (const ms3d_triangle_t& triangle : model->triangles) {
        int material = model->TriangleMaterial(triangle);
        if (material >= 0) ++counts[material];
    }
    std::vector<size_t> nextTriangle(counts.size());
    size_t drawn = 0;
    for (size_t m = 0; m < counts.size(); ++m) {
        nextTriangle[m] = drawn;
        drawn += counts[m];
    }

    std::vector<float> positions(drawn * 9), texCoords(drawn * 6), normals(drawn * 9);
    for (const ms3d_triangle_t& triangle : model->triangles) {
        int material = model->TriangleMaterial(triangle);
        if (material < 0) continue;
        size_t slot = nextTriangle[material]++;
        for (int corner = 0; corner < 3; ++corner) {
            const ms3d_vertex_t& vertex = model->vertices[triangle.vertexIndices[corner]];
            size_t at = slot * 3 + corner;
            std::memcpy(&positions[at * 3], vertex.vertex, 3 * sizeof(float));
            std::memcpy(&normals[at * 3], triangle.vertexNormals[corner], 3 * sizeof(float));
            texCoords[at * 2] = triangle.s[corner];
            texCoords[at * 2 + 1] = triangle.t[corner];
        }
    }

    VBO record;
    record.model = model;
    record.name = name;
    record.vertexCount = model->VertexCount();
    record.triangleCount = model->TriangleCount();
    record.groupCount = model->GroupCount();
    record.materialCount = model->MaterialCount();
    record.positionBuffer = MakeBuffer(positions);
    record.texCoordBuffer = MakeBuffer(texCoords);
    record.normalBuffer = MakeBuffer(normals);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    VBOList.push_back(record);
    return record;
}
