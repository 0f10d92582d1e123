#include "render/model.h"

#include <GL/glew.h>  // before every other GL header

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/globals.h"
#include "render/frustum.h"
#include "render/texture.h"
#include "render/vbo.h"

namespace {

// Every Model ever made: objects keep pointers to their models for the whole run, so models are
// never freed before the process ends, not even by ReleaseAllModels.
std::vector<std::unique_ptr<Model>> allModels;

// The material GL holds: models are the only ones to set one. It starts as none that a
// model has, so the first is always set.
struct GlMaterial {
    float ambient[4] = {-1, -1, -1, -1};
    float diffuse[4] = {};
    float specular[4] = {};
    float shininess = 0;
} heldMaterial;

// out = a * b, all column-major 4 x 4 as GL keeps them.
void MultiplyMatrices(const float* a, const float* b, float* out) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
            out[column * 4 + row] = sum;
        }
    }
}

NxVec3 Transform(const float* m, float x, float y, float z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

}  // namespace

std::string TextureFileName(const ms3d_material_t& material) {
    const char* path = material.texture;
    size_t length = strnlen(path, sizeof material.texture);  // the field need not be terminated
    size_t start = 0;
    while (start < length && (path[start] == '.' || path[start] == '\\')) ++start;
    return length == 0 ? std::string() : std::string(path + start, length - start);
}

Model* GetModel(const char* fileName) {
    for (const VBO& record : VBOList)
        if (record.name == fileName) return record.model;
    Model* model = allModels.emplace_back(std::make_unique<Model>()).get();
    if (!model->Load(fileName)) std::printf("Error while loading %s\n", fileName);
    return model;
}

void ReleaseAllModels() {
    for (const VBO& record : VBOList) record.model->Release();
    VBOList.clear();
}

int Model::TriangleMaterial(const ms3d_triangle_t& triangle) const {
    for (uint16_t corner : triangle.vertexIndices)
        if (corner >= vertices.size()) return -1;
    if (triangle.groupIndex >= groups.size()) return -1;
    int material = groups[triangle.groupIndex].materialIndex;
    return material < MaterialCount() ? material : -1;  // -1 stays -1
}

bool Model::Load(const char* name) {
    if (FindVBO(name)) {
        VBO record = BuildVBO(name, nullptr);
        positionBuffer = record.positionBuffer;
        texCoordBuffer = record.texCoordBuffer;
        normalBuffer = record.normalBuffer;
        return true;
    }
    reader = std::make_unique<CMS3DFile>();
    if (!reader->Load(name)) return false;

    vertices.resize(reader->VertexCount());
    triangles.resize(reader->TriangleCount());
    groups.resize(reader->GroupCount());
    materials.resize(reader->MaterialCount());
    for (int i = 0; i < VertexCount(); ++i) {
        ms3d_vertex_t* record = nullptr;
        reader->VertexAt(i, &record);
        vertices[i] = *record;
    }
    for (int i = 0; i < TriangleCount(); ++i) {
        ms3d_triangle_t* record = nullptr;
        reader->TriangleAt(i, &record);
        triangles[i] = *record;
    }
    for (int i = 0; i < GroupCount(); ++i) {
        ms3d_group_t* record = nullptr;
        reader->GroupAt(i, &record);
        groups[i] = *record;
    }
    for (int i = 0; i < MaterialCount(); ++i) {
        ms3d_material_t* record = nullptr;
        reader->MaterialAt(i, &record);
        materials[i] = *record;
    }

    textures.assign(materials.size(), 0);
    for (size_t i = 0; i < materials.size(); ++i) {
        std::string file = TextureFileName(materials[i]);
        if (file.empty()) continue;
        std::printf("Load Texture: %s\n", file.c_str());
        textures[i] = LoadTexture(file.c_str(), useBilinear, useMipmaps);
    }

    float sum[3] = {0, 0, 0};
    for (const ms3d_vertex_t& vertex : vertices)
        for (int axis = 0; axis < 3; ++axis) sum[axis] += vertex.vertex[axis];
    float squaredRadius = 0;
    if (!vertices.empty()) {
        for (int axis = 0; axis < 3; ++axis) centre[axis] = sum[axis] / vertices.size();
        for (const ms3d_vertex_t& vertex : vertices) {
            float dx = vertex.vertex[0] - centre[0], dy = vertex.vertex[1] - centre[1],
                  dz = vertex.vertex[2] - centre[2];
            squaredRadius = std::max(squaredRadius, dx * dx + dy * dy + dz * dz);
        }
    }
    radius = std::sqrt(squaredRadius);

    fileName = name;
    reader->Clear();
    VBOSource source = gatherVertexArrays();
    VBO record = BuildVBO(name, &source);
    positionBuffer = record.positionBuffer;
    texCoordBuffer = record.texCoordBuffer;
    normalBuffer = record.normalBuffer;
    return true;
}

VBOSource Model::gatherVertexArrays() {
    // Count the triangles of each material; the running sums give each material's first
    // corner, so every corner is written straight to its place in material order.
    materialTriangleCounts.assign(materials.size(), 0);
    for (const ms3d_triangle_t& triangle : triangles) {
        int material = TriangleMaterial(triangle);
        if (material >= 0) ++materialTriangleCounts[material];
    }
    std::vector<size_t> nextTriangle(materialTriangleCounts.size());
    size_t drawn = 0;
    for (size_t m = 0; m < materialTriangleCounts.size(); ++m) {
        nextTriangle[m] = drawn;
        drawn += materialTriangleCounts[m];
    }

    VBOSource source;
    source.model = this;
    source.vertexCount = VertexCount();
    source.triangleCount = TriangleCount();
    source.groupCount = GroupCount();
    source.materialCount = MaterialCount();
    source.positions.resize(drawn * 9);
    source.texCoords.resize(drawn * 6);
    source.normals.resize(drawn * 9);
    for (const ms3d_triangle_t& triangle : triangles) {
        int material = TriangleMaterial(triangle);
        if (material < 0) continue;
        size_t slot = nextTriangle[material]++;
        for (int corner = 0; corner < 3; ++corner) {
            const ms3d_vertex_t& vertex = vertices[triangle.vertexIndices[corner]];
            size_t at = slot * 3 + corner;
            std::memcpy(&source.positions[at * 3], vertex.vertex, 3 * sizeof(float));
            std::memcpy(&source.normals[at * 3], triangle.vertexNormals[corner], 3 * sizeof(float));
            source.texCoords[at * 2] = triangle.s[corner];
            source.texCoords[at * 2 + 1] = triangle.t[corner];
        }
    }
    return source;
}

void Model::Render(const float* matrix) {
    if (frustumCulling) {
        NxVec3 worldCentre = Transform(matrix, centre[0], centre[1], centre[2]);
        if (!frustum.SphereInFrustum(worldCentre, radius)) {
            std::printf("Sphere not in Frustum: ");
            std::printf(" model: %s\n", fileName.c_str());
            return;
        }
    }
    if (rendererUseVBO) {
        // A model wholly outside the view gives no pixel, so only the state its drawing would
        // leave is set (with the culling switch on, the switch's own test above decides).
        // Drawing it would still cost GL a draw call per material and the transform of every
        // corner, and at any time most bullets and many of the level's models are out of view.
        if (!frustumCulling && OutsideView(matrix))
            SelectEveryMaterial();
        else
            RenderBuffers(matrix);
    } else {
        RenderImmediate(matrix);
    }
    if (frustumCulling) DrawBoundingSphere(matrix);
}

void Model::ApplyMaterial(int index) const {
    // The records are packed, so the colours are copied out to aligned storage for GL.
    const ms3d_material_t& material = materials[index];
    GlMaterial wanted;
    std::memcpy(wanted.ambient, &material.ambient, sizeof wanted.ambient);
    std::memcpy(wanted.diffuse, &material.diffuse, sizeof wanted.diffuse);
    std::memcpy(wanted.specular, &material.specular, sizeof wanted.specular);
    std::memcpy(&wanted.shininess, &material.shininess, sizeof wanted.shininess);
    wanted.shininess = std::clamp(wanted.shininess, 0.0f, 128.0f);
    // GL revalidates its lighting state after every material call, even one that changes
    // nothing; the bullets, the enemies of a kind and the groups of a model mostly share one.
    if (std::memcmp(&wanted, &heldMaterial, sizeof wanted) == 0) return;
    heldMaterial = wanted;
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, wanted.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, wanted.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, wanted.specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, wanted.shininess);
}

void Model::SelectMaterial(size_t m) const {
    const bool ownShader = gl20Supported && glslSupported && useOwnShader;
    ApplyMaterial(static_cast<int>(m));
    if (textures[m] != 0) {
        glEnable(GL_TEXTURE_2D);
        BindTexture(textures[m]);
        if (ownShader) glUseProgram(pointLightTexProgram);
    } else {
        glDisable(GL_TEXTURE_2D);
        if (ownShader) glUseProgram(pointLightProgram);
    }
}

void Model::SelectEveryMaterial() const {
    for (size_t m = 0; m < materialTriangleCounts.size(); ++m) SelectMaterial(m);
}

bool Model::OutsideView(const float* matrix) const {
    // The view volume's planes carried into model space: with x in model coordinates and
    // clip = projection * modelview * matrix, the volume is -w <= x, y, z <= w in clip space.
    float modelview[16], projection[16], toView[16], toClip[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    MultiplyMatrices(modelview, matrix, toView);
    MultiplyMatrices(projection, toView, toClip);
    // A margin far above rounding, so that a sphere called outside is outside for GL too.
    const float reach = radius * 1.01f + 1e-3f;
    for (int axis = 0; axis < 3; ++axis) {
        for (float side : {1.0f, -1.0f}) {
            float plane[4];  // w + side * axis >= 0 inside, by the rows of toClip
            for (int k = 0; k < 4; ++k) plane[k] = toClip[k * 4 + 3] + side * toClip[k * 4 + axis];
            float length =
                std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            float height =
                plane[0] * centre[0] + plane[1] * centre[1] + plane[2] * centre[2] + plane[3];
            if (height < -reach * length) return true;
        }
    }
    return false;
}

void Model::RenderBuffers(const float* matrix) {
    glPushMatrix();
    glMultMatrixf(matrix);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, positionBuffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, normalBuffer);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    // The texture coordinates always come from this model's own buffer, textured material or
    // not, so the enabled array never points at another model's data or at freed memory.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, texCoordBuffer);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);

    GLint first = 0;
    for (size_t m = 0; m < materialTriangleCounts.size(); ++m) {
        SelectMaterial(m);
        glDrawArrays(GL_TRIANGLES, first * 3, materialTriangleCounts[m] * 3);
        first += materialTriangleCounts[m];
    }

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    // Unbound, so that later client-side arrays are not taken as offsets into this buffer.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glPopMatrix();
}

void Model::RenderImmediate(const float* matrix) {
    // Corners are moved by the matrix here; normals go out as stored, in model space.
    glPushMatrix();
    int current = -1;
    for (const ms3d_triangle_t& triangle : triangles) {
        int material = TriangleMaterial(triangle);
        if (material < 0) continue;
        if (material != current) {  // state changes are not allowed inside glBegin/glEnd
            if (current >= 0) glEnd();
            ApplyMaterial(material);
            if (textures[material] != 0) {
                BindTexture(textures[material]);
                glEnable(GL_TEXTURE_2D);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
            glBegin(GL_TRIANGLES);
            current = material;
        }
        for (int corner = 0; corner < 3; ++corner) {
            const ms3d_vertex_t& vertex = vertices[triangle.vertexIndices[corner]];
            NxVec3 p = Transform(matrix, vertex.vertex[0], vertex.vertex[1], vertex.vertex[2]);
            glTexCoord2f(triangle.s[corner], triangle.t[corner]);
            glNormal3f(triangle.vertexNormals[corner][0], triangle.vertexNormals[corner][1],
                       triangle.vertexNormals[corner][2]);
            glVertex3f(p.x, p.y, p.z);
        }
    }
    if (current >= 0) glEnd();
    glPopMatrix();
}

void Model::DrawBoundingSphere(const float* matrix) const {
    NxVec3 worldCentre = Transform(matrix, centre[0], centre[1], centre[2]);
    glPushMatrix();
    glColor3f(1, 1, 1);
    glTranslatef(worldCentre.x, worldCentre.y, worldCentre.z);
    glutWireSphere(radius, 10, 10);
    glPopMatrix();
}

void Model::ReloadTextures(bool bilinear, bool mipmap) {
    for (size_t i = 0; i < textures.size(); ++i) {
        if (textures[i] == 0) continue;
        DeleteTexture(textures[i]);
        textures[i] = LoadTexture(TextureFileName(materials[i]).c_str(), bilinear, mipmap);
    }
}

void Model::Release() {
    for (uint32_t texture : textures)
        if (texture != 0) DeleteTexture(texture);
    GLuint buffers[] = {positionBuffer, texCoordBuffer, normalBuffer};
    glDeleteBuffersARB(3, buffers);
    positionBuffer = texCoordBuffer = normalBuffer = 0;
    textures.clear();
    vertices.clear();
    triangles.clear();
    groups.clear();
    materials.clear();
    materialTriangleCounts.clear();
}
