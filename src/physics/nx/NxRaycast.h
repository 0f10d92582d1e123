// Ray casts against a scene's shapes.
#pragma once

#include "NxVec3.h"

class NxShape;

class NxRay {
public:
    NxRay() = default;
    NxRay(const NxVec3& origin, const NxVec3& direction) : orig(origin), dir(direction) {}
    NxVec3 orig;
    NxVec3 dir;  // unit length
};

enum NxShapesType {
    NX_STATIC_SHAPES = 1 << 0,   // shapes of static actors
    NX_DYNAMIC_SHAPES = 1 << 1,  // shapes of dynamic and kinematic actors
    NX_ALL_SHAPES = NX_STATIC_SHAPES | NX_DYNAMIC_SHAPES,
};

struct NxRaycastHit {
    NxShape* shape = nullptr;
    NxVec3 worldImpact;
    NxVec3 worldNormal;
    NxReal distance = 0;  // from the ray's origin to worldImpact
};
