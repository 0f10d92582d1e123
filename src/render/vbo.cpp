#include "render/vbo.h"

#include <GL/glew.h>

#include <cstdio>

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

VBO BuildVBO(const char* name, const VBOSource* source) {
    std::printf("::%s::\n", name);
    if (const VBO* record = FindRecord(name)) return *record;
    if (source == nullptr) return VBO{};
    VBO record;
    record.model = source->model;
    record.name = name;
    record.vertexCount = source->vertexCount;
    record.triangleCount = source->triangleCount;
    record.groupCount = source->groupCount;
    record.materialCount = source->materialCount;
    record.positionBuffer = MakeBuffer(source->positions);
    record.texCoordBuffer = MakeBuffer(source->texCoords);
    record.normalBuffer = MakeBuffer(source->normals);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    VBOList.push_back(record);
    return record;
}
