// Data the game cannot run with stops it: one line on the error stream and in the log, then the
// process ends with exit code 1. Data it can run with but that is likely a mistake gets a
// warning on the error stream and in the log, and the game goes on.
#pragma once

[[noreturn]] void StopGame(const char* message);
void WarnAbout(const char* message);
