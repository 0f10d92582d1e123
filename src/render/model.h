// The model store: each .ms3d file is loaded once into a `Model` that every object using the file
// shares, with its records, one texture per material, a bounding sphere and three vertex buffers
// holding its triangles sorted by material. `GetModel` is the only way to obtain one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/ms3d_file.h"
#include "render/vbo.h"

class Model {
public:
    // Loads the file (a game path); called by GetModel only. False when the file is missing or
    // invalid: the model then has no triangles and draws nothing.
    bool Load(const char* fileName);
    // Draws the model under a column-major 4 x 4 world matrix, from the vertex buffers or in
    // immediate mode by `rendererUseVBO`, culled against the view frustum while
    // `frustumCulling` is on.
    void Render(const float* matrix);
    // Loads every material texture again under new filter switches.
    void ReloadTextures(bool bilinear, bool mipmap);
    // Frees the records, the textures and the vertex buffers. The Model itself stays valid and
    // draws nothing afterwards.
    void Release();

    int32_t VertexCount() const { return static_cast<int32_t>(vertices.size()); }
    int32_t TriangleCount() const { return static_cast<int32_t>(triangles.size()); }
    int32_t GroupCount() const { return static_cast<int32_t>(groups.size()); }
    int32_t MaterialCount() const { return static_cast<int32_t>(materials.size()); }

    // The material a triangle is drawn with, or -1 when its corner, group or material index is
    // out of range (real files have groups with material -1 and group bytes past the group
    // count): such triangles are skipped by the buffers and by both draw paths.
    int TriangleMaterial(const ms3d_triangle_t& triangle) const;
    // The vertex arrays of the model's buffers, one entry per triangle corner in material
    // order; fills materialTriangleCounts on the way.
    VBOSource gatherVertexArrays();

    std::unique_ptr<CMS3DFile> reader;  // empty after loading; owns the groups' index arrays
    // Copies of the file's records, in file order (byte layouts as in the file).
    std::vector<ms3d_vertex_t> vertices;
    std::vector<ms3d_triangle_t> triangles;
    std::vector<ms3d_group_t> groups;
    std::vector<ms3d_material_t> materials;
    float centre[3] = {};  // bounding sphere in model space
    float radius = 0;
    std::string fileName;
    std::vector<uint32_t> textures;  // one per material; 0 where it has no texture
    uint32_t positionBuffer = 0, texCoordBuffer = 0, normalBuffer = 0;
    // Triangles per material, in material order as they lie in the buffers. Triangles whose
    // corner, group or material index is out of range are in no material and never drawn.
    std::vector<int32_t> materialTriangleCounts;

private:
    void RenderBuffers(const float* matrix);
    // Sets what drawing material m sets: its colours, texture and program.
    void SelectMaterial(size_t m) const;
    // Leaves GL as drawing the model would, without drawing it.
    void SelectEveryMaterial() const;
    // Whether the bounding sphere under `matrix` lies wholly outside the current view volume.
    bool OutsideView(const float* matrix) const;
    void RenderImmediate(const float* matrix);
    void ApplyMaterial(int material) const;
    void DrawBoundingSphere(const float* matrix) const;
};

// The shared model of a file, loaded on the first request. Never null; a file that fails to load
// is reported with "Error while loading %s\n" and tried again at the next request.
Model* GetModel(const char* fileName);
// Releases every loaded model and empties the store; the Model objects themselves stay valid.
void ReleaseAllModels();
// The file a material's texture path names: its leading dots and backslashes dropped, so that
// "..\textures\x.jpg" is read from the working directory. Empty when there is no texture.
std::string TextureFileName(const ms3d_material_t& material);
