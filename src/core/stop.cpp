#include "core/stop.h"

#include <cstdio>
#include <cstdlib>

#include "core/log.h"

void StopGame(const char* message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
    LogLine(message);
    LogClose();
    std::exit(1);
}

void WarnAbout(const char* message) {
    std::fprintf(stderr, "Warning: %s\n", message);
    char line[600];
    std::snprintf(line, sizeof line, "Warning: %s", message);
    LogLine(line);
}
