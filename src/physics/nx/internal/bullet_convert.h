// Conversions between the SDK's vector and matrix types and the engine's.
#pragma once

#include <LinearMath/btTransform.h>

#include "NxMat34.h"

namespace nx {

inline btVector3 ToBt(const NxVec3& v) {
    return {v.x, v.y, v.z};
}
inline NxVec3 ToNx(const btVector3& v) {
    return {v.x(), v.y(), v.z()};
}

// Both store rotations row by row.
inline btMatrix3x3 ToBt(const NxMat33& m) {
    return {m(0, 0), m(0, 1), m(0, 2), m(1, 0), m(1, 1), m(1, 2), m(2, 0), m(2, 1), m(2, 2)};
}
inline NxMat33 ToNx(const btMatrix3x3& m) {
    NxMat33 result;
    for (int r = 0; r < 3; ++r) result.setRow(r, ToNx(m[r]));
    return result;
}

inline btTransform ToBt(const NxMat34& pose) {
    return btTransform(ToBt(pose.M), ToBt(pose.t));
}
inline NxMat34 ToNx(const btTransform& pose) {
    return {ToNx(pose.getBasis()), ToNx(pose.getOrigin())};
}

}  // namespace nx
