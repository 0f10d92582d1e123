#include "objects/animation_object.h"

void AnimationObject::animate(double) {}
