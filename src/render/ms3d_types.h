// The records of a MilkShape 3D (version 4) model file, packed to the byte as they lie in the
// file. The model store and the CCD skeleton builder address them with these strides.
#pragma once

#include <cstdint>

#pragma pack(push, 1)

struct ms3d_header_t {
    char id[10];  // "MS3D000000", no terminator
    int32_t version;
};

struct ms3d_vertex_t {
    uint8_t flags;
    float vertex[3];
    int8_t boneId;  // -1 for none
    uint8_t referenceCount;
};

struct ms3d_triangle_t {
    uint16_t flags;
    uint16_t vertexIndices[3];
    float vertexNormals[3][3];
    float s[3];
    float t[3];
    uint8_t smoothingGroup;
    uint8_t groupIndex;
};

// Derived from the triangles, not stored in the file: the smaller vertex index first.
struct ms3d_edge_t {
    uint16_t edgeIndices[2];
};

struct ms3d_group_t {
    uint8_t flags;
    char name[32];
    uint16_t numtriangles;
    uint16_t* triangleIndices;  // numtriangles entries, allocated by the reader
    int8_t materialIndex;       // -1 for none
};

struct ms3d_material_t {
    char name[32];
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;  // 0 to 128
    float transparency;
    uint8_t mode;
    char texture[128];  // as a rule a relative path such as "..\textures\name.jpg"
    char alphamap[128];
};

struct ms3d_keyframe_rot_t {
    float time;
    float rotation[3];
};

struct ms3d_keyframe_pos_t {
    float time;
    float position[3];
};

struct ms3d_joint_t {
    uint8_t flags;
    char name[32];
    char parentName[32];
    float rotation[3];
    float position[3];
    uint16_t numKeyFramesRot;
    uint16_t numKeyFramesTrans;
    ms3d_keyframe_rot_t* keyFramesRot;
    ms3d_keyframe_pos_t* keyFramesTrans;
};

#pragma pack(pop)

static_assert(sizeof(ms3d_header_t) == 14);
static_assert(sizeof(ms3d_vertex_t) == 15);
static_assert(sizeof(ms3d_triangle_t) == 70);
static_assert(sizeof(ms3d_material_t) == 361);
static_assert(sizeof(ms3d_keyframe_rot_t) == 16);
