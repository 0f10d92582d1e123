// The physics SDK's three-float vector, with the operations the game uses.
#pragma once

#include <cmath>

#include "NxSimpleTypes.h"

class NxVec3 {
public:
    NxReal x, y, z;

    NxVec3() : x(0), y(0), z(0) {}
    NxVec3(NxReal a, NxReal b, NxReal c) : x(a), y(b), z(c) {}
    explicit NxVec3(NxReal all) : x(all), y(all), z(all) {}

    void set(NxReal a, NxReal b, NxReal c) {
        x = a;
        y = b;
        z = c;
    }
    void zero() { x = y = z = 0; }
    bool isZero() const { return x == 0 && y == 0 && z == 0; }

    NxReal& operator[](int i) { return (&x)[i]; }
    NxReal operator[](int i) const { return (&x)[i]; }

    NxVec3 operator+(const NxVec3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    NxVec3 operator-(const NxVec3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    NxVec3 operator-() const { return {-x, -y, -z}; }
    NxVec3 operator*(NxReal f) const { return {x * f, y * f, z * f}; }
    NxVec3 operator/(NxReal f) const { return {x / f, y / f, z / f}; }
    NxVec3& operator+=(const NxVec3& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    NxVec3& operator-=(const NxVec3& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    NxVec3& operator*=(NxReal f) {
        x *= f;
        y *= f;
        z *= f;
        return *this;
    }
    bool operator==(const NxVec3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const NxVec3& v) const { return !(*this == v); }

    NxReal dot(const NxVec3& v) const { return x * v.x + y * v.y + z * v.z; }
    NxVec3 cross(const NxVec3& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    NxReal magnitudeSquared() const { return dot(*this); }
    NxReal magnitude() const { return std::sqrt(magnitudeSquared()); }
    NxReal distance(const NxVec3& v) const { return (*this - v).magnitude(); }

    // Scales to unit length and returns the old length; a zero vector stays zero.
    NxReal normalize() {
        NxReal length = magnitude();
        if (length > 0) *this *= 1.0f / length;
        return length;
    }
};

inline NxVec3 operator*(NxReal f, const NxVec3& v) {
    return v * f;
}
