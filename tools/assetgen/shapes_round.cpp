// The round parts of the shape kit: smooth normals on curved surfaces, flat ones on caps.
#include <algorithm>
#include <cmath>

#include "shape_grid.h"
#include "shapes.h"

namespace {

// How often a texture repeats round a closed loop: a whole number, so it meets itself without a
// seam, as near as can be to one repeat every `tile` units (once round for tile 0).
float WholeRepeats(float loop, float tile) {
    return tile > 0 ? std::max(1.0f, std::round(loop / tile)) : 1.0f;
}

struct SurfacePoint {
    Vec3 position;
    Vec3 normal;
};

// A flat disc at height y facing up or down, textured in plan view.
void AddDisc(Mesh& mesh, const Transform& at, float radius, float y, bool up, int slices,
             float tile) {
    Vec3 normal{0, up ? 1.0f : -1.0f, 0};
    AddGrid(mesh, at, slices, 1, [&](float u, float v) {
        float angle = LoopAngle(u), r = radius * v;
        Vec3 p{r * std::sin(angle), y, r * std::cos(angle)};
        return Corner{p, normal, TexCoord(p.x + radius, 2 * radius, tile),
                      TexCoord(radius - p.z, 2 * radius, tile)};
    });
}

// A sheet given by its mid surface, made solid: an outer and an inner skin `thickness` apart,
// and rims closing the sheet's open edges. The u edges are open unless the sheet wraps round in
// u; the v edges are open where asked.
struct SheetEdges {
    bool wrapsInU;
    bool openAtV0;
    bool openAtV1;
};

template <typename MidSurface>
void AddThickSheet(Mesh& mesh, const Transform& at, int nu, int nv, float thickness,
                   SheetEdges edges, float sRepeat, float tRepeat, MidSurface mid) {
    float half = thickness / 2;
    for (float side : {1.0f, -1.0f})
        AddGrid(mesh, at, nu, nv, [&](float u, float v) {
            SurfacePoint p = mid(u, v);
            return Corner{p.position + p.normal * (half * side), p.normal * side, u * sRepeat,
                          v * tRepeat};
        });

    // A rim along the edge from mid(edge(0)) to mid(edge(1)); `inward` points into the sheet.
    auto addRim = [&](auto edge, float du, float dv, int steps) {
        AddGrid(mesh, at, steps, 1, [&](float w, float across) {
            auto [u, v] = edge(w);
            SurfacePoint p = mid(u, v);
            Vec3 out = Normalize(p.position - mid(u + du, v + dv).position);
            return Corner{p.position + p.normal * (half - thickness * across), out, w * sRepeat,
                          across};
        });
    };
    const float step = 1e-3f;
    struct UV {
        float u, v;
    };
    if (edges.openAtV0) addRim([](float w) { return UV{w, 0}; }, 0, step, nu);
    if (edges.openAtV1) addRim([](float w) { return UV{w, 1}; }, 0, -step, nu);
    if (!edges.wrapsInU) {
        addRim([](float w) { return UV{0, w}; }, step, 0, nv);
        addRim([](float w) { return UV{1, w}; }, -step, 0, nv);
    }
}

}  // namespace

void AddEllipsoid(Mesh& mesh, const Transform& at, Vec3 radii, int slices, int stacks) {
    AddGrid(mesh, at, slices, stacks, [&](float u, float v) {
        float around = LoopAngle(u), down = kPi * v;
        Vec3 d{std::sin(down) * std::sin(around), std::cos(down),
               std::sin(down) * std::cos(around)};
        Vec3 p{d.x * radii.x, d.y * radii.y, d.z * radii.z};
        Vec3 n = Normalize({d.x / radii.x, d.y / radii.y, d.z / radii.z});
        return Corner{p, n, u, v};
    });
}

void AddFrustum(Mesh& mesh, const Transform& at, float r0, float r1, float y0, float y1, int slices,
                float tile) {
    float height = y1 - y0;
    float slant = std::hypot(height, r1 - r0);
    float repeats = WholeRepeats(2 * kPi * std::max(r0, r1), tile);
    AddGrid(mesh, at, slices, 1, [&](float u, float v) {
        float angle = LoopAngle(u), r = r0 + (r1 - r0) * v;
        Vec3 radial{std::sin(angle), 0, std::cos(angle)};
        Vec3 normal = Normalize(radial * height + Vec3{0, r0 - r1, 0});
        return Corner{radial * r + Vec3{0, y0 + height * v, 0}, normal, u * repeats,
                      TexCoord((1 - v) * slant, slant, tile)};
    });
    if (r0 > 0) AddDisc(mesh, at, r0, y0, false, slices, tile);
    if (r1 > 0) AddDisc(mesh, at, r1, y1, true, slices, tile);
}

void AddTorus(Mesh& mesh, const Transform& at, float major, float minor, int segments, int sides,
              float tile) {
    float around = WholeRepeats(2 * kPi * major, tile), tube = WholeRepeats(2 * kPi * minor, tile);
    AddGrid(mesh, at, segments, sides, [&](float u, float v) {
        float a = LoopAngle(u), b = LoopAngle(v);
        Vec3 out{std::cos(a), std::sin(a), 0};
        Vec3 normal = out * std::cos(b) + Vec3{0, 0, std::sin(b)};
        return Corner{out * major + normal * minor, normal, u * around, v * tube};
    });
}

void AddHollowSphere(Mesh& mesh, const Transform& at, float outer, float inner, Vec3 entrance,
                     float entranceAngle, int slices, int stacks, float tile) {
    Vec3 axis = Normalize(entrance);
    Vec3 side = Normalize(Cross(std::fabs(axis.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0}, axis));
    Vec3 third = Cross(axis, side);
    float radius = (outer + inner) / 2;
    float sweep = kPi - entranceAngle;
    // Polar angle measured from the entrance: v = 0 is its rim, v = 1 the far pole.
    auto mid = [&](float u, float v) {
        float polar = entranceAngle + sweep * v, around = LoopAngle(u);
        Vec3 d = axis * std::cos(polar) +
                 (side * std::cos(around) + third * std::sin(around)) * std::sin(polar);
        return SurfacePoint{d * radius, d};
    };
    float sRepeat = WholeRepeats(2 * kPi * radius, tile);
    float tRepeat = tile > 0 ? sweep * radius / tile : 1;
    AddThickSheet(mesh, at, slices, stacks, outer - inner, {true, true, false}, sRepeat, tRepeat,
                  mid);
}

void AddSpherePlate(Mesh& mesh, const Transform& at, float radius, float thickness, float halfWidth,
                    float low, float high, int slices, int stacks) {
    auto mid = [&](float u, float v) {
        float around = -halfWidth + 2 * halfWidth * u, elevation = high + (low - high) * v;
        Vec3 d{std::sin(around) * std::cos(elevation), std::sin(elevation),
               std::cos(around) * std::cos(elevation)};
        return SurfacePoint{d * radius, d};
    };
    AddThickSheet(mesh, at, slices, stacks, thickness, {false, true, true}, 1, 1, mid);
}
