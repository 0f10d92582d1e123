// Something animated once per game step (doors). The shell's animation pass calls `animate` with
// the step time until `finished` is set, then drops the entry without freeing it.
#pragma once

class AnimationObject {
public:
    virtual void animate(double dt);
    bool finished = false;
};
