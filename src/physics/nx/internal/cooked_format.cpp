#include "internal/cooked_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace nx {

namespace {

constexpr NxU32 kVersion = 1;
constexpr NxU32 kHullMagic = 0x5843565A;       // "ZVCX"
constexpr NxU32 kTrianglesMagic = 0x4343565A;  // "ZVCC"
constexpr NxU32 kEndMarker = 0x444E455A;       // "ZEND"
constexpr NxU32 kBlockBytes = 1u << 16;

void StoreVectors(const std::vector<NxVec3>& vectors, NxStream& stream) {
    for (const NxVec3& v : vectors) stream.storeFloat(v.x).storeFloat(v.y).storeFloat(v.z);
}

// Reads `count` elements of T block by block; false as soon as the stream reports a short read.
template <class T>
bool ReadBlocks(const NxStream& stream, NxU32 count, std::vector<T>& out) {
    constexpr NxU32 kPerBlock = kBlockBytes / sizeof(T);
    out.clear();
    out.reserve(std::min(count, kPerBlock));
    for (NxU32 done = 0; done < count;) {
        NxU32 n = std::min(count - done, kPerBlock);
        out.resize(done + n);
        stream.readBuffer(out.data() + done, n * static_cast<NxU32>(sizeof(T)));
        if (stream.readFailed()) return false;
        done += n;
    }
    return true;
}

// Mass properties that a hull of these points can have. Rounding in the cooking leaves the
// axes orthonormal to well within kAxesTolerance and the rest within the points' bounds.
bool PlausibleMass(const CookedHull& hull) {
    constexpr NxReal kAxesTolerance = 1e-3f;
    NxVec3 low = hull.points[0], high = low;
    for (const NxVec3& p : hull.points) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], p[axis]);
            high[axis] = std::max(high[axis], p[axis]);
        }
    }
    const NxVec3 size = high - low;
    const NxVec3 slack = size * 1e-3f + NxVec3(1e-4f);
    const NxReal reach = size.magnitudeSquared();  // no point lies farther from the centre
    for (int i = 0; i < 3; ++i) {
        const NxVec3 axis = hull.principalAxes.getColumn(i);
        if (!Plausible(axis) || std::fabs(axis.magnitude() - 1) > kAxesTolerance) return false;
        if (std::fabs(axis.dot(hull.principalAxes.getColumn((i + 1) % 3))) > kAxesTolerance)
            return false;
        const NxReal inertia = hull.inertiaPerMass[i];
        if (!(inertia >= 0 && inertia <= reach)) return false;
        const NxReal centre = hull.centreOfMass[i];
        if (!(centre >= low[i] - slack[i] && centre <= high[i] + slack[i])) return false;
    }
    // A solid's principal moments satisfy the triangle inequality, and none of a hull thick
    // enough to keep its volume is near 0 against the others (a needle's is some millionths): a
    // body with next to no inertia about one axis spins up to infinity at its first contact.
    const NxVec3& moments = hull.inertiaPerMass;
    const NxReal largest = std::max({moments.x, moments.y, moments.z});
    if (hull.volume > 0) {
        for (int i = 0; i < 3; ++i) {
            const NxReal others = moments[(i + 1) % 3] + moments[(i + 2) % 3];
            if (moments[i] < 1e-7f * largest || moments[i] > others * (1 + kAxesTolerance))
                return false;
        }
    }
    // Cooking stores a volume above kMinRelativeVolume times the diagonal cubed, or 0; half of
    // that leaves room for rounding.
    const NxReal diagonal = std::sqrt(reach);
    const NxReal thinnest = 0.5f * kMinRelativeVolume * diagonal * diagonal * diagonal;
    return (hull.volume == 0 || hull.volume >= thinnest) &&
           hull.volume <= (size.x + slack.x) * (size.y + slack.y) * (size.z + slack.z);
}

// Shared checks of both formats: the header before the data, the end marker after.
class Reader {
public:
    Reader(const NxStream& stream, const char* caller) : stream_(stream), caller_(caller) {}

    bool header(NxU32 magic, const char* what) {
        NxU32 found = stream_.readDword();
        if (stream_.readFailed()) return fail("the file is short (no header)");
        if (found != magic) {
            std::printf("%s: not a cooked %s (wrong magic 0x%08X)\n", caller_, what, found);
            return false;
        }
        NxU32 version = stream_.readDword();
        if (version != kVersion) {
            std::printf("%s: cooked %s version %u, expected %u\n", caller_, what, version,
                        kVersion);
            return false;
        }
        return true;
    }
    bool count(NxU32 value, NxU32 minimum, NxU32 maximum, const char* what) {
        if (stream_.readFailed()) return fail("the file is short");
        if (value >= minimum && value <= maximum) return true;
        std::printf("%s: corrupt %s count %u (allowed %u to %u)\n", caller_, what, value, minimum,
                    maximum);
        return false;
    }
    bool vectors(NxU32 count, std::vector<NxVec3>& out) {
        if (!ReadBlocks(stream_, count, out)) return fail("the file is short");
        if (!std::all_of(out.begin(), out.end(), Plausible))
            return fail("a coordinate is not finite or too large");
        return true;
    }
    bool end() {
        NxU32 marker = stream_.readDword();
        if (stream_.readFailed() || marker != kEndMarker)
            return fail("the file is short or corrupt");
        return true;
    }
    bool fail(const char* problem) {
        std::printf("%s: %s\n", caller_, problem);
        return false;
    }
    const NxStream& stream() const { return stream_; }

private:
    const NxStream& stream_;
    const char* caller_;
};

NxVec3 ReadVec3(const NxStream& stream) {
    NxReal x = stream.readFloat();
    NxReal y = stream.readFloat();
    NxReal z = stream.readFloat();
    return {x, y, z};
}

}  // namespace

bool Plausible(const NxVec3& v) {
    return std::fabs(v.x) <= kMaxCoordinate && std::fabs(v.y) <= kMaxCoordinate &&
           std::fabs(v.z) <= kMaxCoordinate;  // false for NaN too
}

bool GatherPoints(const void* points, NxU32 count, NxU32 strideBytes, std::vector<NxVec3>& out) {
    out.resize(count);
    for (NxU32 i = 0; i < count; ++i) {
        std::memcpy(&out[i], static_cast<const char*>(points) + size_t(i) * strideBytes,
                    sizeof(NxVec3));
        if (!Plausible(out[i])) return false;
    }
    return true;
}

void WriteHull(const CookedHull& hull, NxStream& stream) {
    stream.storeDword(kHullMagic).storeDword(kVersion);
    stream.storeDword(static_cast<NxU32>(hull.points.size()));
    StoreVectors(hull.points, stream);
    stream.storeFloat(hull.volume);
    StoreVectors({hull.centreOfMass, hull.principalAxes.getRow(0), hull.principalAxes.getRow(1),
                  hull.principalAxes.getRow(2), hull.inertiaPerMass},
                 stream);
    stream.storeDword(kEndMarker);
}

void WriteTriangles(const CookedTriangles& mesh, NxStream& stream) {
    stream.storeDword(kTrianglesMagic).storeDword(kVersion);
    stream.storeDword(static_cast<NxU32>(mesh.vertices.size()));
    stream.storeDword(static_cast<NxU32>(mesh.indices.size() / 3));
    StoreVectors(mesh.vertices, stream);
    for (NxU32 index : mesh.indices) stream.storeDword(index);
    stream.storeDword(kEndMarker);
}

bool ReadHull(const NxStream& stream, const char* caller, CookedHull& hull) {
    Reader reader(stream, caller);
    if (!reader.header(kHullMagic, "convex mesh")) return false;
    NxU32 points = stream.readDword();
    if (!reader.count(points, 3, kMaxHullPoints, "point")) return false;
    if (!reader.vectors(points, hull.points)) return false;
    hull.volume = stream.readFloat();
    hull.centreOfMass = ReadVec3(stream);
    for (int row = 0; row < 3; ++row) hull.principalAxes.setRow(row, ReadVec3(stream));
    hull.inertiaPerMass = ReadVec3(stream);
    if (!reader.end()) return false;
    return PlausibleMass(hull) || reader.fail("corrupt mass properties");
}

bool ReadTriangles(const NxStream& stream, const char* caller, CookedTriangles& mesh) {
    Reader reader(stream, caller);
    if (!reader.header(kTrianglesMagic, "triangle mesh")) return false;
    NxU32 vertices = stream.readDword();
    NxU32 triangles = stream.readDword();
    if (!reader.count(vertices, 3, kMaxMeshVertices, "vertex")) return false;
    if (!reader.count(triangles, 1, kMaxMeshTriangles, "triangle")) return false;
    if (!reader.vectors(vertices, mesh.vertices)) return false;
    if (!ReadBlocks(stream, triangles * 3, mesh.indices)) return reader.fail("the file is short");
    if (!reader.end()) return false;
    for (size_t i = 0; i < mesh.indices.size(); ++i) {
        if (mesh.indices[i] >= vertices) {
            std::printf("%s: triangle %zu names vertex %u of %u\n", caller, i / 3, mesh.indices[i],
                        vertices);
            return false;
        }
    }
    return true;
}

}  // namespace nx
