// The game clock: the first step measures from a counter of zero, later steps from the last one.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "app/shell.h"
#include "physics/physics_world.h"
#include "world/init_physics.h"
#include "platform/perf_counter.h"
#include "objects/animation_object.h"

namespace {

int64_t counter = 0;
int64_t Counter() {
    return counter;
}

struct CountingAnimation : AnimationObject {
    void animate(double dt) override {
        ++calls;
        lastDt = dt;
        if (calls == 2) finished = true;
    }
    int calls = 0;
    double lastDt = 0;
};

}  // namespace

TEST(Timing, FirstStepMeasuresFromZeroAndAnimationsRunUntilFinished) {
    initPhysics();  // each step also advances the physics scene
    InstallPerformanceClock(1000, Counter);
    perfFrequency = 1000;
    perfNow = perfLast = 0;
    CountingAnimation door;
    animations = {&door};

    counter = 100000;  // 100 s after the counter's origin
    StartPhysics();
    EXPECT_DOUBLE_EQ(timeDelta, 100.0);
    EXPECT_DOUBLE_EQ(gameTime, 100.0);
    EXPECT_DOUBLE_EQ(door.lastDt, 100.0);

    counter = 100016;
    StartPhysics();
    EXPECT_DOUBLE_EQ(timeDelta, 0.016);
    EXPECT_DOUBLE_EQ(gameTime, 100.016);
    EXPECT_TRUE(door.finished);
    EXPECT_EQ(animations.size(), 1u);  // removed by the next pass, not while animating

    counter = 100032;
    StartPhysics();
    EXPECT_EQ(door.calls, 2);
    EXPECT_TRUE(animations.empty());
    InstallPerformanceClock(0, nullptr);
    releasePhysics();
}
