// Waits until the X server has handled every request so far, so that the events they cause (such
// as the step's pointer warp) are queued before GLUT reads the window's events.
#pragma once

void SyncWindowSystem();
