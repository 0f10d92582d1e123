// Runs a shell command and collects what it says.
#pragma once

#include <string>

struct RunResult {
    int exitCode = -1;   // -1 when it was killed by a signal
    std::string output;  // standard output and standard error
};

RunResult RunCommand(const std::string& command);
