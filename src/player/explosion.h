// Area damage to the enemies that are still about and to the avatar: falls off linearly from
// `maxDamage` at the centre to nothing at `radius`, truncated toward zero, and shows one flash
// particle. Nothing is pushed.
#pragma once

#include "NxVec3.h"

void explode(float radius, float maxDamage, const NxVec3& position);
