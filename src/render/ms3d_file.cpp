// The records are read from the file straight into the arrays that keep them, the small fields
// through a buffer; the arrays are not zeroed before the file fills them.
// Every read is checked against the file's size first, so a file that ends early is rejected,
// and a count that claims more than the file holds allocates nothing.
#include "render/ms3d_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A cursor over an open file of known size; a read that would pass its end fails and reads
// nothing. Small reads are served from a buffer; large ones go from the disk cache straight into
// their arrays.
class FileReader {
public:
    FileReader(int fd, size_t size) : fd_(fd), size_(size) {}

    bool Read(void* out, size_t size) {
        if (size > size_ - position_) return false;
        auto* to = static_cast<char*>(out);
        // An empty array may have no storage to copy into.
        const size_t buffered = std::min(size, end_ - next_);
        if (buffered > 0) std::memcpy(to, buffer_ + next_, buffered);
        next_ += buffered;
        size_t left = size - buffered;
        if (left >= sizeof buffer_) {
            if (!ReadFully(to + buffered, left)) return false;
            left = 0;
        } else if (left > 0) {
            if (!Refill(left)) return false;
            std::memcpy(to + buffered, buffer_, left);
            next_ = left;
        }
        position_ += size;
        return true;
    }
    template <class T>
    bool Read(T& value) {
        return Read(&value, sizeof value);
    }
    size_t Position() const { return position_; }
    // Reads a u16 count and then that many records into `records`.
    template <class T, class A>
    bool ReadArray(std::vector<T, A>& records) {
        uint16_t count = 0;
        if (!Read(count) || count * sizeof(T) > size_ - position_) return false;
        records.resize(count);
        return Read(records.data(), count * sizeof(T));
    }

private:
    bool ReadFully(char* to, size_t size) {
        while (size > 0) {
            const ssize_t got = read(fd_, to, size);
            if (got <= 0) return false;
            to += got;
            size -= static_cast<size_t>(got);
        }
        return true;
    }
    // Fills the buffer with what follows, at least `needed` bytes.
    bool Refill(size_t needed) {
        size_t got = 0;
        while (got < needed) {
            const ssize_t n = read(fd_, buffer_ + got, sizeof buffer_ - got);
            if (n <= 0) return false;
            got += static_cast<size_t>(n);
        }
        next_ = 0;
        end_ = got;
        return true;
    }

    int fd_;
    size_t size_;
    size_t position_ = 0;
    char buffer_[16384];
    size_t next_ = 0, end_ = 0;
};

// Closes the file when the load is over, however it ends.
class OpenFile {
public:
    explicit OpenFile(const char* path) : fd_(open(GamePath(path).c_str(), O_RDONLY)) {}
    ~OpenFile() {
        if (fd_ >= 0) close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Vertices farther from the model's origin than this are taken for a corrupt file: the game's
// world ends 1000 units from its centre.
constexpr float kMaxCoordinate = 1e5f;

// Where the numbers of a record lie and how large they may be. The floats lie unaligned in the
// packed record and are tested on their bits, which order as their sizes do: every pattern
// above the largest finite float is an infinity or a NaN.
template <class Record>
struct Numbers;
template <>
struct Numbers<ms3d_vertex_t> {
    static constexpr size_t kOffset = offsetof(ms3d_vertex_t, vertex);
    static constexpr size_t kCount = 3;
    static constexpr float kLimit = kMaxCoordinate;
};
// Normals and texture coordinates: any finite value (texture coordinates may repeat the texture).
template <>
struct Numbers<ms3d_triangle_t> {
    static constexpr size_t kOffset = offsetof(ms3d_triangle_t, vertexNormals);
    static constexpr size_t kCount = 15;
    static constexpr float kLimit = 3.4028235e38f;  // the largest finite float
    static_assert(offsetof(ms3d_triangle_t, smoothingGroup) - kOffset == kCount * sizeof(float));
};

// Whether any number of `count` records is not finite or, in size, beyond the record's limit:
// one pass without branches. The sizes are the bits without the sign, which order as the numbers'
// sizes do (every pattern above the largest finite float is an infinity or a NaN) and compare
// as signed integers. Records with four numbers or more are taken four at a time in vector
// registers, the last four overlapping the ones before when the count is no multiple of four.
template <class Record>
bool AnyUnsound(const Record* records, size_t count) {
    using N = Numbers<Record>;
    if (count == 0) return false;  // an empty list's storage may be a null pointer
    int32_t limit;
    std::memcpy(&limit, &N::kLimit, sizeof limit);
    const char* bytes = reinterpret_cast<const char*>(records) + N::kOffset;
    if constexpr (N::kCount >= 4) {
        using Lanes = int32_t __attribute__((vector_size(16)));
        const Lanes sizeBits = {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF};
        const Lanes limits = {limit, limit, limit, limit};
        Lanes beyond = {};
        auto check = [&](const char* at) {
            Lanes lanes;
            std::memcpy(&lanes, at, sizeof lanes);
            beyond |= (lanes & sizeBits) > limits;
        };
        for (size_t r = 0; r < count; ++r, bytes += sizeof(Record)) {
            for (size_t f = 0; f + 4 <= N::kCount; f += 4) check(bytes + f * sizeof(float));
            if constexpr (N::kCount % 4 != 0) check(bytes + (N::kCount - 4) * sizeof(float));
        }
        return (beyond[0] | beyond[1] | beyond[2] | beyond[3]) != 0;
    } else {
        bool beyond = false;
        for (size_t r = 0; r < count; ++r, bytes += sizeof(Record)) {
            int32_t bits[N::kCount];
            std::memcpy(bits, bytes, sizeof bits);
            for (int32_t b : bits) beyond |= (b & 0x7FFFFFFF) > limit;
        }
        return beyond;
    }
}

// The index of the first record with a number that is not finite or beyond its limit; the
// count when there is none. Sound arrays, the rule, take one pass.
template <class Record>
size_t FirstUnsound(const Record* records, size_t count) {
    if (!AnyUnsound(records, count)) return count;
    size_t r = 0;
    while (!AnyUnsound(records + r, 1)) ++r;
    return r;
}

// Storage that the file fills: resizing leaves new records uninitialised instead of zeroing them.
template <class T>
struct FilledByTheFile : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = FilledByTheFile<U>;
    };
    template <class U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
template <class T>
using Records = std::vector<T, FilledByTheFile<T>>;

// Each undirected side of every triangle once, ordered by its larger and then its smaller index.
// A side is the key larger << 16 | smaller; the keys are put in order by two stable counting
// sorts, on the smaller index and then on the larger (linear in the sides), and the repeats,
// now neighbours, are dropped.
Records<ms3d_edge_t> DeriveEdges(const Records<ms3d_triangle_t>& triangles) {
    Records<uint32_t> keys(triangles.size() * 3), sorted(keys.size());
    uint32_t vertexBound = 1;
    size_t k = 0;
    for (const ms3d_triangle_t& t : triangles) {
        uint16_t corner[3];
        std::memcpy(corner, t.vertexIndices, sizeof corner);
        for (int i = 0; i < 3; ++i) {
            const uint32_t a = corner[i], b = corner[i == 2 ? 0 : i + 1];
            const uint32_t low = std::min(a, b), high = std::max(a, b);
            keys[k++] = high << 16 | low;
            vertexBound = std::max(vertexBound, high + 1);
        }
    }
    std::vector<uint32_t> start(vertexBound + 1);
    auto countingSort = [&](const Records<uint32_t>& from, Records<uint32_t>& to, int shift) {
        std::fill(start.begin(), start.end(), 0);
        for (uint32_t key : from) ++start[((key >> shift) & 0xFFFF) + 1];
        for (uint32_t v = 0; v < vertexBound; ++v) start[v + 1] += start[v];
        for (uint32_t key : from) to[start[(key >> shift) & 0xFFFF]++] = key;
    };
    countingSort(keys, sorted, 0);
    countingSort(sorted, keys, 16);

    Records<ms3d_edge_t> edges(keys.size());
    size_t count = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i] == keys[i - 1]) continue;
        edges[count].edgeIndices[0] = static_cast<uint16_t>(keys[i]);
        edges[count].edgeIndices[1] = static_cast<uint16_t>(keys[i] >> 16);
        ++count;
    }
    edges.resize(count);
    return edges;
}

}  // namespace

struct CMS3DFile::Impl {
    Records<ms3d_vertex_t> vertices;
    Records<ms3d_triangle_t> triangles;
    // Derived from the triangles when first asked for: the game never asks, the tools do.
    Records<ms3d_edge_t> edges;
    bool edgesDerived = true;
    Records<ms3d_group_t> groups;
    Records<ms3d_material_t> materials;
    Records<ms3d_joint_t> joints;
    float animationFps = 24.0f;
    float currentTime = 0.0f;
    int totalFrames = 0;
    ReadReport lastRead;

    // Every triangle index and key array handed out so far. Copies of group and joint records
    // point at them, so they outlive Clear and a failed Load and go with the reader.
    std::vector<std::unique_ptr<uint16_t[]>> triangleIndexArrays;
    std::vector<std::unique_ptr<ms3d_keyframe_rot_t[]>> rotationKeyArrays;
    std::vector<std::unique_ptr<ms3d_keyframe_pos_t[]>> positionKeyArrays;

    bool ReadGroups(FileReader& in, Records<ms3d_group_t>& out);
    Records<ms3d_edge_t>& Edges() {
        if (!edgesDerived) edges = DeriveEdges(triangles);
        edgesDerived = true;
        return edges;
    }
    bool ReadJoints(FileReader& in, Records<ms3d_joint_t>& out);

    template <class T>
    T* NewArray(std::vector<std::unique_ptr<T[]>>& owner, size_t count) {
        owner.push_back(std::unique_ptr<T[]>(new T[count]));  // the file fills it
        return owner.back().get();
    }
};

bool CMS3DFile::Impl::ReadGroups(FileReader& in, Records<ms3d_group_t>& out) {
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

bool CMS3DFile::Impl::ReadJoints(FileReader& in, Records<ms3d_joint_t>& out) {
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
    OpenFile file(path);
    struct stat info {};
    if (file.fd() < 0 || fstat(file.fd(), &info) != 0 || info.st_size < 0) return false;
    // Anything but a plain file (a folder) reads as empty.
    const size_t size = S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
    report = {size, 0, "header", "not a version 4 header"};

    FileReader in(file.fd(), size);
    ms3d_header_t header;
    if (!in.Read(header) || std::memcmp(header.id, "MS3D000000", sizeof header.id) != 0 ||
        header.version != 4)
        return false;

    // Everything is read into locals first, so a file that ends early leaves the reader empty.
    Records<ms3d_vertex_t> vertices;
    Records<ms3d_triangle_t> triangles;
    Records<ms3d_group_t> groups;
    Records<ms3d_material_t> materials;
    Records<ms3d_joint_t> joints;
    float animationFps = 0, currentTime = 0;
    int32_t totalFrames = 0;
    // The file offset of the first record holding a number that is not finite (or absurd), if
    // one was found: the reader takes such a file for broken there.
    size_t unsoundAt = 0;
    auto sound = [&](const auto& records) {
        const size_t first = FirstUnsound(records.data(), records.size());
        if (first == records.size()) return true;
        unsoundAt = in.Position() - (records.size() - first) * sizeof(records[0]);
        return false;
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
            report = {size, unsoundAt, part, "a number that is not finite or too large"};
        else
            report = {size, in.Position(), part, "the file ends"};
        return false;
    }
    report = {size, in.Position(), nullptr, nullptr};

    impl_->edgesDerived = false;
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
    impl_->edgesDerived = true;
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
    return static_cast<int>(impl_->Edges().size());
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
void RecordAt(Records<T>& records, int index, T** record) {
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
    RecordAt(impl_->Edges(), index, record);
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
