#include "enemies/turning.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

}  // namespace

Turn TurnTowards(float delta, float step) {
    if (std::fabs(delta) < step) return {delta, true};
    return {delta >= 0 ? step : -step, false};
}

float WrapHeading(float heading) {
    if (heading > kPi) return heading - 2 * kPi;
    if (heading <= -kPi) return heading + 2 * kPi;
    return heading;
}

bool TurnHeading(float& heading, float delta, float step) {
    Turn turn = TurnTowards(delta, step);
    heading = WrapHeading(heading + turn.angle);
    return turn.done;
}

bool TurnPitch(float& pitch, float delta, float step) {
    Turn turn = TurnTowards(delta, step);
    pitch += turn.angle;
    return turn.done;
}
