#include "internal/force_spread.h"

namespace nx {

void ForceSpread::fold(NxReal callTime, NxReal stepTime) {
    NxReal now = callSum_.magnitudeSquared(), before = previousSum_.magnitudeSquared();
    if (now >= before && now > 0) carried_ -= onsetShare_;  // still held: no longer an onset
    NxVec3 onset;
    if (now > before) onset = callSum_ - previousSum_;
    onsetShare_ = onset * (stepTime - callTime);
    carried_ += callSum_ * callTime + onsetShare_;
    previousSum_ = callSum_;
    callSum_.zero();
}

NxVec3 ForceSpread::take(NxU32 steps, NxReal stepTime) {
    NxVec3 force = carried_ / (static_cast<NxReal>(steps) * stepTime);
    carried_.zero();
    return force;
}

}  // namespace nx
