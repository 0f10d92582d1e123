#include "internal/force_spread.h"

namespace nx {

void ForceSpread::fold(NxReal callTime, NxReal stepTime) {
    NxVec3 onset;
    if (callSum_.magnitudeSquared() > previousSum_.magnitudeSquared())
        onset = callSum_ - previousSum_;
    carried_ += callSum_ * callTime + onset * (stepTime - callTime);
    previousSum_ = callSum_;
    callSum_.zero();
}

NxVec3 ForceSpread::take(NxU32 steps, NxReal stepTime) {
    NxVec3 force = carried_ / (static_cast<NxReal>(steps) * stepTime);
    carried_.zero();
    return force;
}

}  // namespace nx
