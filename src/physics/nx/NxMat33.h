// The physics SDK's 3x3 matrix: a rotation, stored row by row (element (row, column)).
#pragma once

#include "NxVec3.h"

class NxMat33 {
public:
    // Starts as the identity, so a default pose is a valid rotation.
    NxMat33() { id(); }

    void id() {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) m_[r][c] = r == c ? 1.0f : 0.0f;
    }
    void zero() { *this = NxMat33(NxVec3(), NxVec3(), NxVec3()); }

    // Right-handed rotations about the x, y and z axes by `angle` radians.
    void rotX(NxReal angle) {
        NxReal c = std::cos(angle), s = std::sin(angle);
        *this = NxMat33(NxVec3(1, 0, 0), NxVec3(0, c, -s), NxVec3(0, s, c));
    }
    void rotY(NxReal angle) {
        NxReal c = std::cos(angle), s = std::sin(angle);
        *this = NxMat33(NxVec3(c, 0, s), NxVec3(0, 1, 0), NxVec3(-s, 0, c));
    }
    void rotZ(NxReal angle) {
        NxReal c = std::cos(angle), s = std::sin(angle);
        *this = NxMat33(NxVec3(c, -s, 0), NxVec3(s, c, 0), NxVec3(0, 0, 1));
    }

    NxReal& operator()(int row, int column) { return m_[row][column]; }
    NxReal operator()(int row, int column) const { return m_[row][column]; }

    NxVec3 getRow(int row) const { return {m_[row][0], m_[row][1], m_[row][2]}; }
    void setRow(int row, const NxVec3& v) {
        m_[row][0] = v.x;
        m_[row][1] = v.y;
        m_[row][2] = v.z;
    }
    NxVec3 getColumn(int column) const { return {m_[0][column], m_[1][column], m_[2][column]}; }
    void setColumn(int column, const NxVec3& v) {
        m_[0][column] = v.x;
        m_[1][column] = v.y;
        m_[2][column] = v.z;
    }

    // this = left * right; either argument may be this matrix.
    void multiply(const NxMat33& left, const NxMat33& right) {
        NxMat33 product{NxVec3(), NxVec3(), NxVec3()};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                for (int k = 0; k < 3; ++k) product.m_[r][c] += left.m_[r][k] * right.m_[k][c];
        *this = product;
    }
    // dst = this * src; src and dst may be the same vector.
    void multiply(const NxVec3& src, NxVec3& dst) const {
        dst = NxVec3(getRow(0).dot(src), getRow(1).dot(src), getRow(2).dot(src));
    }
    // dst = transpose(this) * src: the inverse rotation of a pure rotation.
    void multiplyByTranspose(const NxVec3& src, NxVec3& dst) const {
        dst = NxVec3(getColumn(0).dot(src), getColumn(1).dot(src), getColumn(2).dot(src));
    }

    NxMat33 operator*(const NxMat33& right) const {
        NxMat33 product;
        product.multiply(*this, right);
        return product;
    }
    NxVec3 operator*(const NxVec3& v) const {
        NxVec3 result;
        multiply(v, result);
        return result;
    }
    bool operator==(const NxMat33& other) const {
        for (int r = 0; r < 3; ++r)
            if (getRow(r) != other.getRow(r)) return false;
        return true;
    }

private:
    NxMat33(const NxVec3& row0, const NxVec3& row1, const NxVec3& row2) {
        setRow(0, row0);
        setRow(1, row1);
        setRow(2, row2);
    }

    NxReal m_[3][3];
};
