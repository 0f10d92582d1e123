// The flat-faced parts of the shape kit: boxes, octahedra and extruded profiles.
#include <algorithm>
#include <cmath>

#include "shape_grid.h"
#include "shapes.h"

namespace {

// One flat face: `topLeft` as seen from outside, `right` and `down` its edges.
void AddFace(Mesh& mesh, const Transform& at, Vec3 topLeft, Vec3 right, Vec3 down, float tile) {
    Vec3 normal = Normalize(Cross(down, right));
    float width = Length(right), height = Length(down);
    AddGrid(mesh, at, 1, 1, [&](float u, float v) {
        return Corner{topLeft + right * u + down * v, normal, TexCoord(u * width, width, tile),
                      TexCoord(v * height, height, tile)};
    });
}

float SignedArea(const std::vector<Vec2>& polygon) {
    float area = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vec2& p = polygon[i];
        const Vec2& q = polygon[(i + 1) % polygon.size()];
        area += p.a * q.b - q.a * p.b;
    }
    return area * 0.5f;
}

float Turn(Vec2 p, Vec2 q, Vec2 r) {
    return (q.a - p.a) * (r.b - p.b) - (q.b - p.b) * (r.a - p.a);
}

bool Inside(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    return Turn(a, b, p) >= 0 && Turn(b, c, p) >= 0 && Turn(c, a, p) >= 0;
}

// Ear clipping of a simple counter-clockwise polygon: triangles as index triples.
std::vector<std::array<int, 3>> Triangulate(const std::vector<Vec2>& polygon) {
    std::vector<int> open(polygon.size());
    for (size_t i = 0; i < open.size(); ++i) open[i] = static_cast<int>(i);
    std::vector<std::array<int, 3>> triangles;
    while (open.size() > 3) {
        size_t n = open.size(), ear = n;
        for (size_t i = 0; i < n && ear == n; ++i) {
            int a = open[(i + n - 1) % n], b = open[i], c = open[(i + 1) % n];
            if (Turn(polygon[a], polygon[b], polygon[c]) <= 0) continue;  // a reflex corner
            bool empty = std::none_of(open.begin(), open.end(), [&](int k) {
                return k != a && k != b && k != c &&
                       Inside(polygon[k], polygon[a], polygon[b], polygon[c]);
            });
            if (empty) ear = i;
        }
        if (ear == n) break;  // not a simple polygon: leave the rest out rather than loop
        triangles.push_back({open[(ear + n - 1) % n], open[ear], open[(ear + 1) % n]});
        open.erase(open.begin() + static_cast<long>(ear));
    }
    if (open.size() == 3) triangles.push_back({open[0], open[1], open[2]});
    return triangles;
}

}  // namespace

void AddBox(Mesh& mesh, const Transform& at, Vec3 min, Vec3 max, float tile) {
    Vec3 d = max - min;
    Vec3 dx{d.x, 0, 0}, dy{0, d.y, 0}, dz{0, 0, d.z};
    AddFace(mesh, at, {min.x, max.y, max.z}, dx, -dy, tile);   // +z
    AddFace(mesh, at, {max.x, max.y, min.z}, -dx, -dy, tile);  // -z
    AddFace(mesh, at, {max.x, max.y, max.z}, -dz, -dy, tile);  // +x
    AddFace(mesh, at, {min.x, max.y, min.z}, dz, -dy, tile);   // -x
    AddFace(mesh, at, {min.x, max.y, min.z}, dx, dz, tile);    // +y
    AddFace(mesh, at, {min.x, min.y, max.z}, dx, -dz, tile);   // -y
}

void AddOctahedron(Mesh& mesh, const Transform& at, Vec3 radii) {
    for (int octant = 0; octant < 8; ++octant) {
        Vec3 x{octant & 1 ? -radii.x : radii.x, 0, 0};
        Vec3 y{0, octant & 2 ? -radii.y : radii.y, 0};
        Vec3 z{0, 0, octant & 4 ? -radii.z : radii.z};
        Vec3 normal = Normalize(Cross(y - x, z - x));
        if (Dot(normal, x) < 0) normal = -normal;
        mesh.addTriangle(Place(at, {x, normal, 0, 1}), Place(at, {y, normal, 0.5f, 0}),
                         Place(at, {z, normal, 1, 1}));
    }
}

void AddPrism(Mesh& mesh, const Transform& at, const std::vector<Vec2>& profile, float width,
              float tile) {
    std::vector<Vec2> outline = profile;
    if (SignedArea(outline) < 0) std::reverse(outline.begin(), outline.end());
    float x0 = -width / 2, x1 = width / 2;
    float top = outline[0].b, left = outline[0].a, right = left, bottom = top;
    for (const Vec2& p : outline) {
        top = std::max(top, p.b);
        bottom = std::min(bottom, p.b);
        left = std::min(left, p.a);
        right = std::max(right, p.a);
    }

    // The two end caps, seen as the outline on the x = const planes.
    for (float x : {x0, x1}) {
        Vec3 normal{x > 0 ? 1.0f : -1.0f, 0, 0};
        auto corner = [&](const Vec2& p) {
            float s = x > 0 ? right - p.a : p.a - left;
            return Place(at, {{x, p.b, p.a},
                              normal,
                              TexCoord(s, right - left, tile),
                              TexCoord(top - p.b, top - bottom, tile)});
        };
        for (const auto& t : Triangulate(outline))
            mesh.addTriangle(corner(outline[t[0]]), corner(outline[t[1]]), corner(outline[t[2]]));
    }

    // The sides: one flat strip per outline edge, its normal turned outwards.
    for (size_t i = 0; i < outline.size(); ++i) {
        Vec2 p = outline[i], q = outline[(i + 1) % outline.size()];
        Vec3 from{0, p.b, p.a}, to{0, q.b, q.a};
        Vec3 normal = Normalize(Vec3{0, -(q.a - p.a), q.b - p.b});
        float length = Length(to - from);
        if (length <= 0) continue;
        auto corner = [&](Vec3 p3, float x, float along) {
            return Place(at, {{x, p3.y, p3.z},
                              normal,
                              TexCoord(x - x0, width, tile),
                              TexCoord(along, length, tile)});
        };
        mesh.addQuad(corner(from, x0, 0), corner(from, x1, 0), corner(to, x1, length),
                     corner(to, x0, length));
    }
}
