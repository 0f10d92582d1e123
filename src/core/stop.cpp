#include "core/stop.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/log.h"

void StopGame(const char* message) {
    std::fflush(stdout);  // the progress so far comes before the reason
    std::fprintf(stderr, "%s\n", message);
    LogLine(message);
    LogClose();
    std::exit(1);
}

void WarnAbout(const char* message) {
    std::fflush(stdout);
    const std::string line = std::string("Warning: ") + message;
    std::fprintf(stderr, "%s\n", line.c_str());
    LogLine(line.c_str());
}
