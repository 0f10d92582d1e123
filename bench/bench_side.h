// One way of running the reference scene: through the layer or directly on the engine.
#pragma once

#include <memory>

#include "reference_scene.h"

namespace bench {

class BenchSide {
public:
    virtual ~BenchSide() = default;
    // One game frame of 1/60 s: the frame's forces and relaunches, then one physics step.
    virtual void frame(int index) = 0;
    // A line about what happened (report counts, the avatar's place), to show both sides ran
    // the same scene.
    virtual void summary() const = 0;
};

std::unique_ptr<BenchSide> MakeLayerSide(const ReferenceScene& scene);
std::unique_ptr<BenchSide> MakeDirectSide(const ReferenceScene& scene);

}  // namespace bench
