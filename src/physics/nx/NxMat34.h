// The physics SDK's 3x4 pose: rotation M, then translation t (x' = M x + t).
#pragma once

#include "NxMat33.h"

class NxMat34 {
public:
    NxMat33 M;
    NxVec3 t;

    // Starts as the identity pose.
    NxMat34() = default;
    NxMat34(const NxMat33& rotation, const NxVec3& translation) : M(rotation), t(translation) {}

    void id() {
        M.id();
        t.zero();
    }

    // this = left * right: right's pose expressed in left's frame.
    void multiply(const NxMat34& left, const NxMat34& right) {
        NxVec3 translation = left.M * right.t + left.t;
        M.multiply(left.M, right.M);
        t = translation;
    }
    // dst = this applied to the point src.
    void multiply(const NxVec3& src, NxVec3& dst) const { dst = M * src + t; }

    NxMat34 operator*(const NxMat34& right) const {
        NxMat34 product;
        product.multiply(*this, right);
        return product;
    }
    NxVec3 operator*(const NxVec3& point) const { return M * point + t; }

    // The OpenGL layout: 16 floats, column-major, rotation columns in 0-2, 4-6, 8-10,
    // translation in 12-14, bottom row (0, 0, 0, 1).
    void getColumnMajor44(NxF32* d) const {
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r) d[c * 4 + r] = M(r, c);
            d[c * 4 + 3] = 0;
        }
        d[12] = t.x;
        d[13] = t.y;
        d[14] = t.z;
        d[15] = 1;
    }
    // Reads the same layout; the bottom row is ignored.
    void setColumnMajor44(const NxF32* d) {
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r) M(r, c) = d[c * 4 + r];
        t.set(d[12], d[13], d[14]);
    }
};
