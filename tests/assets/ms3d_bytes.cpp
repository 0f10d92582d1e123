#include "ms3d_bytes.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

class Cursor {
public:
    explicit Cursor(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool take(void* out, size_t size) {
        if (bytes_.size() - at_ < size) return false;
        std::memcpy(out, bytes_.data() + at_, size);
        at_ += size;
        return true;
    }
    template <typename T>
    bool take(T& out) {
        return take(&out, sizeof out);
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

template <typename Record>
bool TakeRecords(Cursor& in, std::vector<Record>& records) {
    uint16_t count;
    if (!in.take(count)) return false;
    records.resize(count);
    return in.take(records.data(), count * sizeof(Record));
}

bool Fail(std::string& error, const char* message) {
    error = message;
    return false;
}

}  // namespace

bool ParseMs3d(const std::vector<uint8_t>& bytes, ParsedModel& m, std::string& error) {
    Cursor in(bytes);
    char id[10];
    int32_t version;
    if (!in.take(id, 10) || std::memcmp(id, "MS3D000000", 10) != 0) return Fail(error, "id");
    if (!in.take(version) || version != 4) return Fail(error, "version");
    if (!TakeRecords(in, m.vertices)) return Fail(error, "vertices");
    if (!TakeRecords(in, m.triangles)) return Fail(error, "triangles");
    uint16_t groups;
    if (!in.take(groups)) return Fail(error, "group count");
    for (uint16_t g = 0; g < groups; ++g) {
        ParsedGroup group;
        uint8_t flags;
        char name[32];
        uint16_t count;
        if (!in.take(flags) || !in.take(name, 32) || !in.take(count)) return Fail(error, "group");
        if (name[31] != 0) return Fail(error, "group name unterminated");
        group.name = name;
        group.triangles.resize(count);
        if (!in.take(group.triangles.data(), count * 2u) || !in.take(group.material))
            return Fail(error, "group body");
        m.groups.push_back(group);
    }
    if (!TakeRecords(in, m.materials)) return Fail(error, "materials");
    if (!in.take(m.fps) || !in.take(m.currentTime) || !in.take(m.totalFrames) || !in.take(m.joints))
        return Fail(error, "animation values");
    if (!in.atEnd()) return Fail(error, "bytes after the joint count");

    for (const ms3d_triangle_t& t : m.triangles) {
        for (uint16_t v : t.vertexIndices)
            if (v >= m.vertices.size()) return Fail(error, "corner index");
        if (t.groupIndex >= m.groups.size()) return Fail(error, "triangle group");
    }
    for (const ParsedGroup& g : m.groups) {
        for (uint16_t t : g.triangles)
            if (t >= m.triangles.size()) return Fail(error, "group triangle");
        if (g.material < -1 || g.material >= static_cast<int>(m.materials.size()))
            return Fail(error, "group material");
    }
    return true;
}

bool ParseMs3dFile(const std::string& path, ParsedModel& model, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return Fail(error, "cannot open");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    return ParseMs3d(bytes, model, error);
}
