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
