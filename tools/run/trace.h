// The runner's trace: one JSON object per frame with the state a test wants to check.
#pragma once

#include <string>

// Appends the trace line of frame `frame` (without the newline) to `out`.
void TraceFrame(int frame, std::string& out);
