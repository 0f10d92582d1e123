// Kept apart from the runner: Xlib's `Display` type collides with the game's Display callback.
#include "run/window_sync.h"

#include <GL/glx.h>

void SyncWindowSystem() {
    if (::Display* display = glXGetCurrentDisplay()) XSync(display, False);
}
