// The turning step of every enemy: an angle follows its aim at a limited speed.
#pragma once

struct Turn {
    float angle;  // the turn made in this step
    bool done;    // the angle is on its aim
};

// A turn of at most `step` radians towards `delta`: all of it when it is smaller than the step.
Turn TurnTowards(float delta, float step);
// Turns a heading and brings it back into (-pi, pi]; true when it is on its aim.
bool TurnHeading(float& heading, float delta, float step);
// Turns a pitch, which is never wrapped; true when it is on its aim.
bool TurnPitch(float& pitch, float delta, float step);
// Brings a heading that left (-pi, pi] by less than a turn back into it.
float WrapHeading(float heading);
