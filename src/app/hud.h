// The HUD: counters, ammunition, the health bar, the interaction prompt, the help overlay (F1)
// and the crosshairs, drawn near the end of every frame; and the texture reload that F4 and F5
// start, since the HUD's own textures are among those it reloads.
#pragma once

#include <cstdint>

extern uint32_t crossActiveTexture, crossInactiveTexture;

// Loads the HUD's textures under the current filtering switches (at start-up).
void LoadHudTextures();
// Shadowed text at (x, y) in window pixels from the top left; every character advances 15.
void DrawText(int x, int y, const char* text);
void DrawHud();
// Deletes and reloads every texture of the game with the given filtering switches.
void ReloadTextures(bool bilinear, bool mipmap);
