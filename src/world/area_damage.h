// The damage of explosions: the enemies that are still about first, then the avatar.
#pragma once

// Makes every explosion deal its damage (see player/explosion.h).
void InstallAreaDamage();
