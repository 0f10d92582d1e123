// How forces added between two simulate calls are spent on the fixed sub-steps.
//
// The game adds movement forces once per frame, whatever the frame rate, and launches things
// with a force given in one frame only. Applied as the engine would (each force for the
// sub-steps of the next call), a held force would push harder at 30 fps than at 1000 fps
// (where most calls run no sub-step and their forces would be lost), and a launch would give a
// different speed at each rate. So each call's forces become an impulse:
//   F   = the sum of the forces added since the previous call,
//   X   = F - F_previous when |F| > |F_previous| (the onset of a force), else 0,
//   J  += F * dt + X * (h - dt),
// and the carried impulse J is spent as an even force over the sub-steps of the next call that
// runs any. The onset of a force (a launch, a leap, a wall jump, also on top of a held key) thus
// acts for exactly one sub-step h. When the next call's force has not dropped, the force is being
// held: the onset's share X * (h - dt) is taken back, so a held force acts for exactly the real
// time it was held, from its first frame on (a held jump rises as high at 1000 fps as at 60).
#pragma once

#include "NxVec3.h"

namespace nx {

class ForceSpread {
public:
    void add(const NxVec3& force) { callSum_ += force; }

    // Folds the forces added since the previous call into the carried impulse; callTime is the
    // simulated part of the call's elapsed time.
    void fold(NxReal callTime, NxReal stepTime);

    // The force that spends the carried impulse evenly over `steps` sub-steps; clears it.
    NxVec3 take(NxU32 steps, NxReal stepTime);

    // Nothing to add, carry or compare with.
    bool idle() const {
        return callSum_.isZero() && previousSum_.isZero() && carried_.isZero() &&
               onsetShare_.isZero();
    }

private:
    NxVec3 callSum_;
    NxVec3 previousSum_;
    NxVec3 carried_;
    NxVec3 onsetShare_;  // X * (h - dt) of the previous call, taken back if the force is held
};

}  // namespace nx
