// The list of loaded models with their vertex buffers: the model store's cache, one record per
// file name in order of loading.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Model;

struct VBO {
    Model* model = nullptr;
    std::string name;  // the file name the model was requested under
    uint32_t positionBuffer = 0, texCoordBuffer = 0, normalBuffer = 0;
    int32_t vertexCount = 0, triangleCount = 0, groupCount = 0, materialCount = 0;
};

extern std::vector<VBO> VBOList;

// Prints "VBOList groesse:  %i\n" with the list's size; true when a record has that name.
bool FindVBO(const char* name);
// What a new record is made of: the model, its counts, and its vertex arrays, one entry per
// triangle corner with the triangles sorted by material.
struct VBOSource {
    Model* model = nullptr;
    int32_t vertexCount = 0, triangleCount = 0, groupCount = 0, materialCount = 0;
    std::vector<float> positions, texCoords, normals;
};

// Prints "::%s::\n". Returns the record of that name if there is one; otherwise uploads the
// source's three arrays into buffers and appends and returns the new record. Without a source
// and without a record of that name the result has no buffers.
VBO BuildVBO(const char* name, const VBOSource* source);
