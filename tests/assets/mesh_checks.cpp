#include "mesh_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

Point Sub(Point a, Point b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Point Cross(Point a, Point b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Point Scale(Point a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}

struct Plane {
    Point normal;  // unit, pointing out of the hull
    double offset;
};

// Twice the area of the 2D convex hull of the points (monotone chain).
double HullArea2(std::vector<std::pair<double, double>> p) {
    std::sort(p.begin(), p.end());
    if (p.size() < 3) return 0;
    auto turn = [](auto o, auto a, auto b) {
        return (a.first - o.first) * (b.second - o.second) -
               (a.second - o.second) * (b.first - o.first);
    };
    std::vector<std::pair<double, double>> hull(2 * p.size());
    size_t k = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && turn(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
        hull[k++] = p[i];
    }
    for (size_t i = p.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && turn(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
        hull[k++] = p[i];
    }
    double area2 = 0;
    for (size_t i = 0; i + 1 < k; ++i)
        area2 += hull[i].first * hull[i + 1].second - hull[i + 1].first * hull[i].second;
    return std::fabs(area2);
}

}  // namespace

double Bounds::size(int axis) const {
    return axis == 0 ? max.x - min.x : axis == 1 ? max.y - min.y : max.z - min.z;
}

TriangleMesh FromRecords(const std::vector<ms3d_vertex_t>& vertices,
                         const std::vector<ms3d_triangle_t>& triangles) {
    TriangleMesh mesh;
    for (const ms3d_vertex_t& v : vertices)
        mesh.points.push_back({v.vertex[0], v.vertex[1], v.vertex[2]});
    for (const ms3d_triangle_t& t : triangles)
        mesh.triangles.push_back({t.vertexIndices[0], t.vertexIndices[1], t.vertexIndices[2]});
    return mesh;
}

double RayHit(const TriangleMesh& mesh, Point from, Point direction, double reach) {
    double nearest = -1;
    for (const auto& t : mesh.triangles) {  // Moeller-Trumbore
        Point a = mesh.points[t[0]];
        Point e1 = Sub(mesh.points[t[1]], a), e2 = Sub(mesh.points[t[2]], a);
        Point p = Cross(direction, e2);
        double det = Dot(e1, p);
        if (std::fabs(det) < 1e-12) continue;
        Point s = Sub(from, a);
        double u = Dot(s, p) / det;
        Point q = Cross(s, e1);
        double v = Dot(direction, q) / det;
        double distance = Dot(e2, q) / det;
        if (u < 0 || v < 0 || u + v > 1 || distance < 0 || distance > reach) continue;
        if (nearest < 0 || distance < nearest) nearest = distance;
    }
    return nearest;
}

std::string ClosedSurfaceFault(const TriangleMesh& mesh) {
    std::map<std::pair<uint32_t, uint32_t>, int> directed;
    for (const auto& t : mesh.triangles)
        for (int k = 0; k < 3; ++k) ++directed[{t[k], t[(k + 1) % 3]}];
    for (const auto& [edge, count] : directed) {
        auto reverse = directed.find({edge.second, edge.first});
        int back = reverse == directed.end() ? 0 : reverse->second;
        if (count != 1 || back != 1)
            return "edge " + std::to_string(edge.first) + "-" + std::to_string(edge.second) +
                   " runs " + std::to_string(count) + " times one way and " + std::to_string(back) +
                   " times back";
    }
    return "";
}

double SignedVolume(const TriangleMesh& mesh) {
    double six = 0;
    for (const auto& t : mesh.triangles)
        six += Dot(mesh.points[t[0]], Cross(mesh.points[t[1]], mesh.points[t[2]]));
    return six / 6;
}

Bounds BoundsOf(const TriangleMesh& mesh) {
    Bounds b{mesh.points.at(0), mesh.points.at(0)};
    for (const Point& p : mesh.points) {
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    return b;
}

double HullVolume(const std::vector<Point>& points) {
    const double eps = 1e-7;
    Point centre;
    for (const Point& p : points) centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
    centre = Scale(centre, 1.0 / points.size());

    // Every plane through three points with all points on one side bounds the hull.
    std::vector<Plane> planes;
    size_t n = points.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            for (size_t k = j + 1; k < n; ++k) {
                Point normal = Cross(Sub(points[j], points[i]), Sub(points[k], points[i]));
                double length = std::sqrt(Dot(normal, normal));
                if (length < 1e-12) continue;
                normal = Scale(normal, 1 / length);
                double offset = Dot(normal, points[i]);
                if (Dot(normal, centre) > offset) {
                    normal = Scale(normal, -1);
                    offset = -offset;
                }
                bool supporting = std::all_of(points.begin(), points.end(), [&](const Point& p) {
                    return Dot(normal, p) <= offset + eps;
                });
                bool known = std::any_of(planes.begin(), planes.end(), [&](const Plane& q) {
                    return Dot(q.normal, normal) > 1 - 1e-9 && std::fabs(q.offset - offset) < eps;
                });
                if (supporting && !known) planes.push_back({normal, offset});
            }

    // Each face is a pyramid with its apex at the centre.
    double volume = 0;
    for (const Plane& plane : planes) {
        Point a = std::fabs(plane.normal.x) < 0.9 ? Point{1, 0, 0} : Point{0, 1, 0};
        Point u = Cross(plane.normal, a);
        u = Scale(u, 1 / std::sqrt(Dot(u, u)));
        Point v = Cross(plane.normal, u);
        std::vector<std::pair<double, double>> face;
        for (const Point& p : points)
            if (std::fabs(Dot(plane.normal, p) - plane.offset) < eps)
                face.push_back({Dot(p, u), Dot(p, v)});
        volume += HullArea2(face) / 2 * (plane.offset - Dot(plane.normal, centre)) / 3;
    }
    return volume;
}
