// The SDK's parameters, which the SDK object and its scenes share.
#pragma once

#include "NxSimpleTypes.h"

enum NxParameter {
    NX_SKIN_WIDTH = 1,        // contact distance: shapes this close count as touching
    NX_BOUNCE_THRESHOLD = 4,  // negative speed: slower impacts do not bounce
    NX_CONTINUOUS_CD = 8,     // non-zero: shapes with a CCD skeleton sweep their motion
    NX_CCD_EPSILON = 73,      // kept; the engine's sweep has no equivalent setting
};

struct NxParameters {
    NxReal skinWidth = 0.025f;
    NxReal bounceThreshold = -2.0f;
    NxReal continuousCD = 0;
    NxReal ccdEpsilon = 0.01f;

    // False for a parameter the layer does not know.
    bool set(NxParameter parameter, NxReal value);
    NxReal get(NxParameter parameter) const;
};
