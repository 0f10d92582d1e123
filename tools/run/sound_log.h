// The runner's sound log: one line per sound event the game reports, whether or not a device
// plays it: "FRAME EVENT X Y Z", the position with three decimals.
#pragma once

#include <cstdio>

// Starts writing to `out`, which the log then owns; a null `out` writes nothing.
void StartSoundLog(FILE* out);
// The frame whose events follow.
void SetSoundLogFrame(int frame);
void EndSoundLog();
