// The Windows ShowCursor call. The game hides the pointer before GLUT exists, so the request is
// remembered and applied once the window has been created.
#pragma once

#include "platform/win_types.h"

// Returns the display counter as Windows does: >= 0 means the pointer shows.
int ShowCursor(BOOL show);

// Applies the remembered visibility to the current GLUT window.
void ApplyCursorVisibility();
