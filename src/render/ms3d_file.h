// The MilkShape 3D model file reader: reads one version 4 file completely into memory and hands
// out its records. It does no drawing and no conversion; the model store copies what it needs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "render/ms3d_types.h"

class CMS3DFile {
public:
    CMS3DFile();
    virtual ~CMS3DFile();
    CMS3DFile(const CMS3DFile&) = delete;
    CMS3DFile& operator=(const CMS3DFile&) = delete;

    // Reads a game path ("models\x.ms3d"). False for a missing file, a wrong identifier or
    // version, a file that ends before its last joint, or a vertex, normal or texture
    // coordinate that is not a finite number (or a vertex beyond any sensible model's size);
    // the reader is then empty. Whatever
    // follows the last joint is ignored. Loading again replaces what was read before.
    bool Load(const char* path);

    // How far the last Load got in its file.
    struct ReadReport {
        size_t fileBytes = 0;
        // The bytes read whole: up to the end of the last joint after a successful load; after
        // a failed one, up to the first value that the file cuts off or the first record with
        // an unsound number (0 for a bad header).
        size_t readBytes = 0;
        // Null after a successful load; else where it broke: "file" (it cannot be opened),
        // "header" (not MilkShape 3D version 4), "vertices", "triangles", "groups",
        // "materials", "animation" or "joints".
        const char* brokenPart = nullptr;
        // Null after a successful load; else what is wrong there, in words.
        const char* problem = nullptr;

        // Where and why a failed load broke, in words for the model's author: "it cannot be
        // opened", "it breaks at byte 16, in the vertices: ...", and so on.
        std::string Where() const;
    };
    const ReadReport& LastRead() const;

    // Empties the six record arrays; the animation values stay. The groups' triangle index
    // arrays and the joints' key arrays live on with the reader, because copies of the group and
    // joint records still point at them.
    void Clear();

    int VertexCount() const;
    int TriangleCount() const;
    int EdgeCount() const;
    int GroupCount() const;
    int MaterialCount() const;
    int JointCount() const;

    // Store the address of record `index` in `*record` when 0 <= index < count; otherwise leave
    // `*record` as it was.
    void VertexAt(int index, ms3d_vertex_t** record);
    void TriangleAt(int index, ms3d_triangle_t** record);
    void EdgeAt(int index, ms3d_edge_t** record);
    void GroupAt(int index, ms3d_group_t** record);
    void MaterialAt(int index, ms3d_material_t** record);
    void JointAt(int index, ms3d_joint_t** record);

    // The index of the first joint named exactly `name`, or -1.
    int FindJoint(const char* name) const;

    float AnimationFps() const;
    float CurrentTime() const;
    int TotalFrames() const;

private:
    struct Impl;
    Impl* impl_;
};

// Every index of a loaded file that points outside what it refers to: a triangle's corner or
// group, a group's material (-1 included) or triangle. The game skips the triangles concerned,
// so they are not drawn.
std::vector<std::string> IndexProblems(CMS3DFile& file);
