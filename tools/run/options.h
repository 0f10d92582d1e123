// zorvan-run's command line.
#pragma once

#include <map>
#include <string>

#include "cli/command_line.h"

extern const Program kRunner;

struct Options {
    int frames = -1;       // -1: up to the script's last frame, or the game's end
    double dt = 0;         // 0: the real clock
    long randomSeed = -1;  // -1: no random input
    bool randomFunctionKeys = true;
    const char* dataFolder = nullptr;
    std::string scriptFile, traceFile, recordFile, soundLogFile;
    std::multimap<int, std::string> shots;  // by frame
};

// Reads the command line; refuses one it cannot use with a line on the error stream and exit
// code 2 (and answers --help and --version).
Options ParseOptions(int argc, char** argv);
