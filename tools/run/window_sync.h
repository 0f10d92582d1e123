// Talks to the X server behind GLUT's back. Kept apart from the runner: Xlib's `Display` type
// collides with the game's Display callback.
#pragma once

// Waits until the X server has handled every request so far, so that the events they cause (such
// as the step's pointer warp) are queued before GLUT reads the window's events.
void SyncWindowSystem();

// Asks the game's window to close as the window manager does when its close button is clicked.
void RequestWindowClose();
