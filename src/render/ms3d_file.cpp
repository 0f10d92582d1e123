// The file is read into memory with one call and parsed from that buffer. Every read is checked
// against the bytes actually read, so a file that ends early is rejected instead of being read
// past its end.
#include "render/ms3d_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/game_path.h"

namespace {

// The fixed-size heads of the variable-length records lie in the file exactly as the leading
// fields of the in-memory records, so each head is read in one piece.
constexpr size_t kGroupHeadBytes = offsetof(ms3d_group_t, triangleIndices);
constexpr size_t kJointHeadBytes = offsetof(ms3d_joint_t, keyFramesRot);
static_assert(kGroupHeadBytes == 35);
static_assert(kJointHeadBytes == 93);

// The bytes of a whole file. Left uninitialised before the read fills them: a model file is
// read at disk speed, and zeroing it first would cost as much again.
struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// A cursor over the bytes that were read; a read that would pass their end fails.
class ByteReader {
public:
    explicit ByteReader(const FileBytes& bytes) : bytes_(bytes) {}

    bool Read(void* out, size_t size) {
        if (size > bytes_.size - position_) return false;
        if (size == 0) return true;  // an empty array may have no storage to copy into
        std::memcpy(out, bytes_.data.get() + position_, size);
        position_ += size;
        return true;
    }
    template <class T>
    bool Read(T& value) {
        return Read(&value, sizeof value);
    }
    // Reads a u16 count and then that many records into `records`.
    size_t Position() const { return position_; }
    template <class T>
    bool ReadArray(std::vector<T>& records) {
        uint16_t count = 0;
        if (!Read(count)) return false;
        records.resize(count);
        return Read(records.data(), count * sizeof(T));
    }

private:
    const FileBytes& bytes_;
    size_t position_ = 0;
};

bool ReadWholeFile(const char* path, FileBytes& bytes) {
    FILE* file = GameOpen(path, "rb");
    if (file == nullptr) return false;
    struct stat info {};
    bool ok = fstat(fileno(file), &info) == 0 && info.st_size >= 0;
    if (ok) {
        bytes.data.reset(new uint8_t[static_cast<size_t>(info.st_size)]);
        bytes.size = std::fread(bytes.data.get(), 1, static_cast<size_t>(info.st_size), file);
    }
    std::fclose(file);
    return ok;
}

// Vertices farther from the model's origin than this are taken for a corrupt file: the game's
// world ends 1000 units from its centre.
constexpr float kMaxCoordinate = 1e5f;

// The N floats of a packed record (they lie unaligned in it) are finite and, in size, at most
// `limit`. Tested on their bits, which order as their sizes do: infinity's pattern and every one
// above it (the NaNs) are not finite.
template <size_t N>
bool AllFinite(const void* floats, float limit = INFINITY) {
    uint32_t bits[N], limitBits;
    std::memcpy(bits, floats, sizeof bits);
    std::memcpy(&limitBits, &limit, sizeof limitBits);
    uint32_t over = 0;
    for (uint32_t b : bits) {
        const uint32_t size = b & 0x7FFFFFFFu;
        over |= (size > limitBits) | (size >= 0x7F800000u);  // beyond the limit, or not finite
    }
    return over == 0;
}

bool Sound(const ms3d_vertex_t& v) {
    return AllFinite<3>(reinterpret_cast<const char*>(&v) + offsetof(ms3d_vertex_t, vertex),
                        kMaxCoordinate);
}

// Normals and texture coordinates: any finite value (texture coordinates may repeat the texture).
bool Sound(const ms3d_triangle_t& t) {
    constexpr size_t kFloats =
        offsetof(ms3d_triangle_t, smoothingGroup) - offsetof(ms3d_triangle_t, vertexNormals);
    static_assert(kFloats == 15 * sizeof(float));
    return AllFinite<15>(reinterpret_cast<const char*>(&t) +
                         offsetof(ms3d_triangle_t, vertexNormals));
}

// Each undirected side of every triangle once, ordered by its larger and then its smaller index.
// The sides are bucketed by their larger index (a counting sort, linear in the sides); a bucket
// holds the few sides that meet at one vertex and is sorted on its own.
std::vector<ms3d_edge_t> DeriveEdges(const std::vector<ms3d_triangle_t>& triangles) {
    struct Side {
        uint16_t low, high;
    };
    std::vector<Side> sides(triangles.size() * 3);
    uint32_t buckets = 0;
    for (size_t t = 0; t < triangles.size(); ++t) {
        uint16_t corner[3];
        std::memcpy(corner, triangles[t].vertexIndices, sizeof corner);
        for (int i = 0; i < 3; ++i) {
            auto [low, high] = std::minmax(corner[i], corner[(i + 1) % 3]);
            sides[t * 3 + i] = {low, high};
            buckets = std::max<uint32_t>(buckets, high + 1u);
        }
    }
    std::vector<uint32_t> start(buckets + 1, 0);
    for (const Side& side : sides) ++start[side.high + 1];
    for (uint32_t b = 0; b < buckets; ++b) start[b + 1] += start[b];
    std::vector<uint16_t> lows(sides.size());
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (const Side& side : sides) lows[next[side.high]++] = side.low;

    std::vector<ms3d_edge_t> edges;
    edges.reserve(sides.size());
    for (uint32_t high = 0; high < buckets; ++high) {
        uint16_t* first = lows.data() + start[high];
        uint16_t* last = lows.data() + start[high + 1];
        std::sort(first, last);
        for (uint16_t* i = first; i < last; ++i) {
            if (i > first && *i == i[-1]) continue;
            ms3d_edge_t edge;
            edge.edgeIndices[0] = *i;
            edge.edgeIndices[1] = static_cast<uint16_t>(high);
            edges.push_back(edge);
        }
    }
    return edges;
}

}  // namespace

struct CMS3DFile::Impl {
    std::vector<ms3d_vertex_t> vertices;
    std::vector<ms3d_triangle_t> triangles;
    std::vector<ms3d_edge_t> edges;
    std::vector<ms3d_group_t> groups;
    std::vector<ms3d_material_t> materials;
    std::vector<ms3d_joint_t> joints;
    float animationFps = 24.0f;
    float currentTime = 0.0f;
    int totalFrames = 0;
    ReadReport lastRead;

    // Every triangle index and key array handed out so far. Copies of group and joint records
    // point at them, so they outlive Clear and a failed Load and go with the reader.
    std::vector<std::unique_ptr<uint16_t[]>> triangleIndexArrays;
    std::vector<std::unique_ptr<ms3d_keyframe_rot_t[]>> rotationKeyArrays;
    std::vector<std::unique_ptr<ms3d_keyframe_pos_t[]>> positionKeyArrays;

    bool ReadGroups(ByteReader& in, std::vector<ms3d_group_t>& out);
    bool ReadJoints(ByteReader& in, std::vector<ms3d_joint_t>& out);

    template <class T>
    T* NewArray(std::vector<std::unique_ptr<T[]>>& owner, size_t count) {
        owner.push_back(std::make_unique<T[]>(count));
        return owner.back().get();
    }
};

bool CMS3DFile::Impl::ReadGroups(ByteReader& in, std::vector<ms3d_group_t>& out) {
    uint16_t count = 0;
    if (!in.Read(count)) return false;
    out.resize(count);
    for (ms3d_group_t& group : out) {
        if (!in.Read(&group, kGroupHeadBytes)) return false;
        group.triangleIndices = NewArray(triangleIndexArrays, group.numtriangles);
        if (!in.Read(group.triangleIndices, group.numtriangles * sizeof(uint16_t))) return false;
        if (!in.Read(group.materialIndex)) return false;
    }
    return true;
}

bool CMS3DFile::Impl::ReadJoints(ByteReader& in, std::vector<ms3d_joint_t>& out) {
    uint16_t count = 0;
    if (!in.Read(count)) return false;
    out.resize(count);
    for (ms3d_joint_t& joint : out) {
        if (!in.Read(&joint, kJointHeadBytes)) return false;
        joint.keyFramesRot = NewArray(rotationKeyArrays, joint.numKeyFramesRot);
        joint.keyFramesTrans = NewArray(positionKeyArrays, joint.numKeyFramesTrans);
        if (!in.Read(joint.keyFramesRot, joint.numKeyFramesRot * sizeof(ms3d_keyframe_rot_t)) ||
            !in.Read(joint.keyFramesTrans, joint.numKeyFramesTrans * sizeof(ms3d_keyframe_pos_t)))
            return false;
    }
    return true;
}

CMS3DFile::CMS3DFile() : impl_(new Impl) {}

CMS3DFile::~CMS3DFile() {
    delete impl_;
}

bool CMS3DFile::Load(const char* path) {
    Clear();
    ReadReport& report = impl_->lastRead;
    report = {0, 0, "file", "it cannot be opened"};
    FileBytes bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    report = {bytes.size, 0, "header", "not a version 4 header"};

    ByteReader in(bytes);
    ms3d_header_t header;
    if (!in.Read(header) || std::memcmp(header.id, "MS3D000000", sizeof header.id) != 0 ||
        header.version != 4)
        return false;

    // Everything is read into locals first, so a file that ends early leaves the reader empty.
    std::vector<ms3d_vertex_t> vertices;
    std::vector<ms3d_triangle_t> triangles;
    std::vector<ms3d_group_t> groups;
    std::vector<ms3d_material_t> materials;
    std::vector<ms3d_joint_t> joints;
    float animationFps = 0, currentTime = 0;
    int32_t totalFrames = 0;
    // The file offset of the first record holding a number that is not finite (or absurd), if
    // one was found: the reader takes such a file for broken there.
    size_t unsoundAt = 0;
    auto sound = [&](const auto& records) {
        const size_t size = sizeof(records[0]);
        const size_t start = in.Position() - records.size() * size;
        for (size_t i = 0; i < records.size(); ++i) {
            if (Sound(records[i])) continue;
            unsoundAt = start + i * size;
            return false;
        }
        return true;
    };
    const std::pair<const char*, std::function<bool()>> parts[] = {
        {"vertices", [&] { return in.ReadArray(vertices) && sound(vertices); }},
        {"triangles", [&] { return in.ReadArray(triangles) && sound(triangles); }},
        {"groups", [&] { return impl_->ReadGroups(in, groups); }},
        {"materials", [&] { return in.ReadArray(materials); }},
        {"animation",
         [&] { return in.Read(animationFps) && in.Read(currentTime) && in.Read(totalFrames); }},
        {"joints", [&] { return impl_->ReadJoints(in, joints); }},
    };
    for (const auto& [part, read] : parts) {
        if (read()) continue;
        if (unsoundAt != 0)
            report = {bytes.size, unsoundAt, part, "a number that is not finite or too large"};
        else
            report = {bytes.size, in.Position(), part, "the file ends"};
        return false;
    }
    report = {bytes.size, in.Position(), nullptr, nullptr};

    impl_->edges = DeriveEdges(triangles);
    impl_->vertices = std::move(vertices);
    impl_->triangles = std::move(triangles);
    impl_->groups = std::move(groups);
    impl_->materials = std::move(materials);
    impl_->joints = std::move(joints);
    impl_->animationFps = animationFps;
    impl_->currentTime = currentTime;
    impl_->totalFrames = totalFrames;
    return true;
}

void CMS3DFile::Clear() {
    impl_->vertices.clear();
    impl_->triangles.clear();
    impl_->edges.clear();
    impl_->groups.clear();
    impl_->materials.clear();
    impl_->joints.clear();
}

std::string CMS3DFile::ReadReport::Where() const {
    if (brokenPart == nullptr) return "it reads whole";
    if (std::strcmp(brokenPart, "file") == 0) return "it cannot be opened";
    if (std::strcmp(brokenPart, "header") == 0)
        return "its first 14 bytes are not a version 4 header";
    return "it breaks at byte " + std::to_string(readBytes) + ", in the " + brokenPart + ": " +
           problem;
}

const CMS3DFile::ReadReport& CMS3DFile::LastRead() const {
    return impl_->lastRead;
}

int CMS3DFile::VertexCount() const {
    return static_cast<int>(impl_->vertices.size());
}
int CMS3DFile::TriangleCount() const {
    return static_cast<int>(impl_->triangles.size());
}
int CMS3DFile::EdgeCount() const {
    return static_cast<int>(impl_->edges.size());
}
int CMS3DFile::GroupCount() const {
    return static_cast<int>(impl_->groups.size());
}
int CMS3DFile::MaterialCount() const {
    return static_cast<int>(impl_->materials.size());
}
int CMS3DFile::JointCount() const {
    return static_cast<int>(impl_->joints.size());
}

namespace {

template <class T>
void RecordAt(std::vector<T>& records, int index, T** record) {
    if (index >= 0 && static_cast<size_t>(index) < records.size()) *record = &records[index];
}

}  // namespace

void CMS3DFile::VertexAt(int index, ms3d_vertex_t** record) {
    RecordAt(impl_->vertices, index, record);
}
void CMS3DFile::TriangleAt(int index, ms3d_triangle_t** record) {
    RecordAt(impl_->triangles, index, record);
}
void CMS3DFile::EdgeAt(int index, ms3d_edge_t** record) {
    RecordAt(impl_->edges, index, record);
}
void CMS3DFile::GroupAt(int index, ms3d_group_t** record) {
    RecordAt(impl_->groups, index, record);
}
void CMS3DFile::MaterialAt(int index, ms3d_material_t** record) {
    RecordAt(impl_->materials, index, record);
}
void CMS3DFile::JointAt(int index, ms3d_joint_t** record) {
    RecordAt(impl_->joints, index, record);
}

int CMS3DFile::FindJoint(const char* name) const {
    // The stored name is a 32-byte field that need not be terminated.
    const size_t nameLength = std::strlen(name);
    for (size_t i = 0; i < impl_->joints.size(); ++i) {
        const char* jointName = impl_->joints[i].name;
        size_t length = strnlen(jointName, sizeof impl_->joints[i].name);
        if (nameLength == length && std::memcmp(jointName, name, length) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

float CMS3DFile::AnimationFps() const {
    return impl_->animationFps;
}
float CMS3DFile::CurrentTime() const {
    return impl_->currentTime;
}
int CMS3DFile::TotalFrames() const {
    return impl_->totalFrames;
}

std::vector<std::string> IndexProblems(CMS3DFile& file) {
    std::vector<std::string> problems;
    char text[160];
    for (int i = 0; i < file.TriangleCount(); ++i) {
        ms3d_triangle_t* t = nullptr;
        file.TriangleAt(i, &t);
        for (int c = 0; c < 3; ++c)
            if (t->vertexIndices[c] >= file.VertexCount()) {
                std::snprintf(text, sizeof text, "triangle %d: vertex index %d of %d vertices", i,
                              t->vertexIndices[c], file.VertexCount());
                problems.push_back(text);
            }
        if (t->groupIndex >= file.GroupCount()) {
            std::snprintf(text, sizeof text, "triangle %d: group index %d of %d groups", i,
                          t->groupIndex, file.GroupCount());
            problems.push_back(text);
        }
    }
    for (int i = 0; i < file.GroupCount(); ++i) {
        ms3d_group_t* g = nullptr;
        file.GroupAt(i, &g);
        if (g->materialIndex < 0 || g->materialIndex >= file.MaterialCount()) {
            std::snprintf(text, sizeof text, "group %d: material index %d of %d materials", i,
                          g->materialIndex, file.MaterialCount());
            problems.push_back(text);
        }
        for (int k = 0; k < g->numtriangles; ++k)
            if (g->triangleIndices[k] >= file.TriangleCount()) {
                std::snprintf(text, sizeof text, "group %d: triangle index %d of %d triangles", i,
                              g->triangleIndices[k], file.TriangleCount());
                problems.push_back(text);
            }
    }
    return problems;
}
