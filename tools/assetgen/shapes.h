// The mesh-building kit: closed parts with outward normals, smooth where the surface is round and
// flat where its edges are hard. Each part is built around its own origin and placed with `at`.
// Texture coordinates are per face in model units: the texture repeats every `tile` units, or,
// with tile 0, fits once on each face (or once around a round part).
#pragma once

#include <vector>

#include "mesh.h"
#include "vec3.h"

struct Vec2 {
    float a = 0, b = 0;
};

// The box between two corners; flat faces.
void AddBox(Mesh& mesh, const Transform& at, Vec3 min, Vec3 max, float tile = 0);

// The octahedron with its six corners at +-radii on the axes; flat faces.
void AddOctahedron(Mesh& mesh, const Transform& at, Vec3 radii);

// A prism: the closed profile given as (z, y) points in order round its outline (either way
// round; it may be concave), extruded across x from -width/2 to +width/2. Ramps and steps.
void AddPrism(Mesh& mesh, const Transform& at, const std::vector<Vec2>& profile, float width,
              float tile);

// An ellipsoid around the origin with the semi-axes `radii`; the texture wraps once round the y
// axis (s = 0 facing +Z) and runs from the top pole (t = 0) to the bottom pole (t = 1).
void AddEllipsoid(Mesh& mesh, const Transform& at, Vec3 radii, int slices, int stacks);

// A cylinder or cone frustum along +y: radius r0 at y0, r1 at y1 (0 for a point); smooth side,
// flat caps.
void AddFrustum(Mesh& mesh, const Transform& at, float r0, float r1, float y0, float y1, int slices,
                float tile = 0);

// A torus standing in the xy plane (its axis is z): the tube of radius `minor` runs round a
// circle of radius `major`.
void AddTorus(Mesh& mesh, const Transform& at, float major, float minor, int segments, int sides,
              float tile = 0);

// A spherical shell between `inner` and `outer` radius with a round entrance: the cap within
// `entranceAngle` (radians) of the direction `entrance` is cut away and the cut closed by a rim.
void AddHollowSphere(Mesh& mesh, const Transform& at, float outer, float inner, Vec3 entrance,
                     float entranceAngle, int slices, int stacks, float tile);

// A curved plate: the part of a spherical shell (mid radius `radius`, `thickness`) that faces +Z
// within `halfWidth` radians to either side and between the elevations `low` and `high`.
void AddSpherePlate(Mesh& mesh, const Transform& at, float radius, float thickness, float halfWidth,
                    float low, float high, int slices, int stacks);
