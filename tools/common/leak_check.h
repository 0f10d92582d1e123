// The leak check of a sanitized build, moved to the start of the process's exit. At its usual
// place, the very end, the exit handlers that the window's libraries registered have torn the
// window down and left the GL driver's buffers (the window's back buffer among them) reachable
// from nothing the checker scans: they would be reported as the game's leaks. Checked first,
// every block that the game or a library still points at is reachable, and what the game lost
// is reported as before.
#pragma once

#include <cstddef>

// Call once the window is open, after its libraries registered their exit handlers. No effect in
// a build without AddressSanitizer.
void CheckLeaksBeforeLibrariesUnload();

// The bytes of heap blocks in use: what a leak makes grow. Unlike resident memory, it does not
// keep the high-water mark of a busy moment.
size_t HeapBytesInUse();
