// The Windows high-resolution performance counter, over CLOCK_MONOTONIC by default.
#pragma once

#include "platform/win_types.h"

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);

// A substitute clock for the runner and the tests: `frequency` counts per second and a function
// that returns the current count. Passing a null `counter` restores the monotonic clock.
void InstallPerformanceClock(int64_t frequency, int64_t (*counter)());
