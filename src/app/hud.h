// The HUD's share of the shell: the texture reload that F4 and F5 start.
#pragma once

// Deletes and reloads every texture of the game with the given filtering switches.
void ReloadTextures(bool bilinear, bool mipmap);
