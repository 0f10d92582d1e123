// The layer's cooked mesh files, written by the cooking functions and read by the SDK object.
//
// Both formats are little-endian: a magic, a version, the counts, the data, an end marker.
//   .convex:  "ZVCX", 1, point count, points (3 floats each) of the hull in the cooking frame,
//             volume, centre of mass (3 floats), principal axes (3x3 rotation, row by row, whose
//             columns are the axes), inertia per unit mass about the axes (3 floats), "ZEND".
//             A flat hull has volume 0 and no inertia: static actors only.
//   .concave: "ZVCC", 1, vertex count, triangle count, vertices (3 floats each), triangles
//             (3 NxU32 vertex indices each, wound counter-clockwise seen from outside), "ZEND".
//
// A short file is found two ways: streams that report failed reads (UserStream does) stop the
// reader at the first short block, and the end marker catches the rest. Counts are checked
// against fixed limits before anything is allocated, and data is read block by block, so a
// corrupt count never allocates more than the file really holds plus one block.
#pragma once

#include <vector>

#include "NxMat33.h"
#include "NxStream.h"
#include "triangle_list.h"

namespace nx {

struct CookedHull {
    std::vector<NxVec3> points;
    NxReal volume = 0;
    NxVec3 centreOfMass;
    NxMat33 principalAxes;
    NxVec3 inertiaPerMass;
};

using CookedTriangles = TriangleList;

constexpr NxU32 kMaxHullPoints = 1u << 16;
// Coordinates beyond this are taken for corrupt data, in cooked files and in the points handed to
// cooking: the game's world ends 1000 units from its centre.
constexpr NxReal kMaxCoordinate = 1e5f;
// Hulls thinner than this (their volume relative to the cube of their diagonal) enclose no usable
// volume: cooking stores them flat, with volume 0, and a reader refuses a smaller volume that is
// not 0 (a body of almost no mass is accelerated to infinity by any contact).
constexpr NxReal kMinRelativeVolume = 1e-6f;
constexpr NxU32 kMaxMeshVertices = 1u << 22;
constexpr NxU32 kMaxMeshTriangles = 1u << 22;

// Finite and no farther than kMaxCoordinate on any axis.
bool Plausible(const NxVec3& v);

// Copies `count` points (x, y, z floats every strideBytes, which may lie unaligned) into `out`;
// false when one of them is not Plausible.
bool GatherPoints(const void* points, NxU32 count, NxU32 strideBytes, std::vector<NxVec3>& out);

void WriteHull(const CookedHull& hull, NxStream& stream);
void WriteTriangles(const CookedTriangles& mesh, NxStream& stream);

// False, with one console line starting with `caller`, for a wrong magic or version, a count
// out of range, a short file, a vertex index out of range, a number that is not finite or
// coordinates that are not Plausible, or (for a hull) mass properties that no hull of its points
// can have: axes that are not a rotation, a volume larger than the points' bounding box, a centre
// of mass outside it, or inertia beyond what the box allows.
bool ReadHull(const NxStream& stream, const char* caller, CookedHull& hull);
bool ReadTriangles(const NxStream& stream, const char* caller, CookedTriangles& mesh);

}  // namespace nx
