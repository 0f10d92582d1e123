#include "ms3d_writer.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace {

constexpr float kFramesPerSecond = 24;

class ByteSink {
public:
    explicit ByteSink(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    void raw(const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    // Little-endian like the machines the format comes from; the packed records are written as
    // they lie in memory, which is the file layout on a little-endian host.
    template <typename T>
    void value(T v) {
        static_assert(std::endian::native == std::endian::little);
        raw(&v, sizeof v);
    }
    // A zero-padded fixed field.
    void text(const std::string& s, size_t field) {
        size_t start = bytes_.size();
        bytes_.resize(start + field, 0);
        std::memcpy(bytes_.data() + start, s.data(), s.size());
    }

private:
    std::vector<uint8_t>& bytes_;
};

bool Check(bool ok, const std::string& message, std::string& error) {
    if (!ok) error = message;
    return ok;
}

bool Validate(const Ms3dModel& m, std::string& error) {
    if (!Check(m.vertices.size() <= UINT16_MAX, "too many vertices", error)) return false;
    if (!Check(m.triangles.size() <= UINT16_MAX, "too many triangles", error)) return false;
    if (!Check(m.groups.size() <= UINT8_MAX + 1u, "too many groups", error)) return false;
    if (!Check(m.materials.size() <= INT8_MAX + 1u, "too many materials", error)) return false;
    for (const ms3d_triangle_t& t : m.triangles) {
        for (uint16_t corner : t.vertexIndices)
            if (!Check(corner < m.vertices.size(), "corner index out of range", error))
                return false;
        if (!Check(t.groupIndex < m.groups.size(), "group index out of range", error)) return false;
    }
    for (const Ms3dGroup& g : m.groups) {
        if (!Check(g.name.size() < 32, "group name too long: " + g.name, error)) return false;
        if (!Check(g.triangles.size() <= UINT16_MAX, "group too large: " + g.name, error))
            return false;
        for (uint16_t index : g.triangles)
            if (!Check(index < m.triangles.size(), "group triangle out of range", error))
                return false;
        if (!Check(g.material >= -1 && g.material < static_cast<int>(m.materials.size()),
                   "group material out of range: " + g.name, error))
            return false;
    }
    for (const Ms3dMaterial& mat : m.materials) {
        if (!Check(mat.name.size() < 32, "material name too long: " + mat.name, error))
            return false;
        if (!Check(mat.texture.size() < 128, "texture path too long: " + mat.texture, error))
            return false;
    }
    return true;
}

void WriteMaterial(ByteSink& out, const Ms3dMaterial& mat) {
    ms3d_material_t record{};
    std::memcpy(record.name, mat.name.data(), mat.name.size());
    std::memcpy(record.ambient, mat.ambient.data(), sizeof record.ambient);
    std::memcpy(record.diffuse, mat.diffuse.data(), sizeof record.diffuse);
    std::memcpy(record.specular, mat.specular.data(), sizeof record.specular);
    std::memcpy(record.emissive, mat.emissive.data(), sizeof record.emissive);
    record.shininess = mat.shininess;
    record.transparency = mat.transparency;
    std::memcpy(record.texture, mat.texture.data(), mat.texture.size());
    out.raw(&record, sizeof record);
}

}  // namespace

bool EncodeMs3d(const Ms3dModel& model, std::vector<uint8_t>& bytes, std::string& error) {
    if (!Validate(model, error)) return false;
    bytes.clear();
    ByteSink out(bytes);

    out.raw("MS3D000000", 10);
    out.value<int32_t>(4);

    out.value<uint16_t>(static_cast<uint16_t>(model.vertices.size()));
    out.raw(model.vertices.data(), model.vertices.size() * sizeof(ms3d_vertex_t));

    out.value<uint16_t>(static_cast<uint16_t>(model.triangles.size()));
    out.raw(model.triangles.data(), model.triangles.size() * sizeof(ms3d_triangle_t));

    out.value<uint16_t>(static_cast<uint16_t>(model.groups.size()));
    for (const Ms3dGroup& group : model.groups) {
        out.value<uint8_t>(0);
        out.text(group.name, 32);
        out.value<uint16_t>(static_cast<uint16_t>(group.triangles.size()));
        out.raw(group.triangles.data(), group.triangles.size() * sizeof(uint16_t));
        out.value<int8_t>(group.material);
    }

    out.value<uint16_t>(static_cast<uint16_t>(model.materials.size()));
    for (const Ms3dMaterial& material : model.materials) WriteMaterial(out, material);

    out.value<float>(kFramesPerSecond);
    out.value<float>(0);     // current time
    out.value<int32_t>(0);   // total frames
    out.value<uint16_t>(0);  // joints
    return true;
}

bool WriteMs3d(const Ms3dModel& model, const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!EncodeMs3d(model, bytes, error)) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + path;
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written) error = "cannot write " + path;
    return written;
}
