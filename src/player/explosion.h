// Explosions: area damage to the enemies that are still about and to the avatar, falling off
// linearly from `maxDamage` at the centre to nothing at `radius`, truncated toward zero, and one
// flash particle. Nothing is pushed.
//
// The damage is dealt by the world above the player and the enemies, which knows both kinds of
// victim; it installs itself here at start-up. Until then an explosion only flashes.
#pragma once

#include "NxVec3.h"

using AreaDamage = void (*)(float radius, float maxDamage, const NxVec3& position);

void SetAreaDamage(AreaDamage damage);
void explode(float radius, float maxDamage, const NxVec3& position);

// The damage at distance d from the centre, or -1 when out of range (a target exactly at the
// radius is missed).
int DamageAt(float d, float radius, float maxDamage);
