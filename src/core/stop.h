// Stopping the game on data it cannot run with: one line on the console and in the log, then the
// process ends with exit code 1.
#pragma once

[[noreturn]] void StopGame(const char* message);
