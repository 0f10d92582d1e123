// Small vector and placement maths for building models: world units, +Y up, models face +Z.
#pragma once

#include <cmath>

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(Vec3 a, float k) {
    return {a.x * k, a.y * k, a.z * k};
}
inline Vec3 operator*(float k, Vec3 a) {
    return a * k;
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
// The unit vector along `a`; the zero vector stays zero.
inline Vec3 Normalize(Vec3 a) {
    float length = Length(a);
    return length > 0 ? a * (1.0f / length) : a;
}

constexpr float kPi = 3.14159265358979f;

// A rigid placement: the local axes as columns, then the origin. Models are built from parts
// that are made around their own origin and placed with one of these.
struct Transform {
    Vec3 xAxis{1, 0, 0}, yAxis{0, 1, 0}, zAxis{0, 0, 1}, origin{};

    Vec3 point(Vec3 p) const { return origin + direction(p); }
    Vec3 direction(Vec3 v) const { return xAxis * v.x + yAxis * v.y + zAxis * v.z; }
    // This placement applied after `inner`: (this * inner)(p) = this(inner(p)).
    Transform operator*(const Transform& inner) const {
        return {direction(inner.xAxis), direction(inner.yAxis), direction(inner.zAxis),
                point(inner.origin)};
    }

    static Transform At(Vec3 origin) { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, origin}; }
    static Transform RotateX(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{1, 0, 0}, {0, c, s}, {0, -s, c}, {}};
    }
    static Transform RotateY(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}, {}};
    }
    static Transform RotateZ(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}, {}};
    }
    // At `origin` with the local +Z axis along `forward` and +Y as near world up as it can be.
    static Transform Facing(Vec3 origin, Vec3 forward) {
        Vec3 z = Normalize(forward);
        Vec3 x = Normalize(Cross({0, 1, 0}, z));
        return {x, Cross(z, x), z, origin};
    }
};
