#include "scene/animation_object.h"

void AnimationObject::animate(double) {}
