#include "core/log.h"

FILE* logFile = nullptr;

void LogOpen(const char* fileName) {
    if (logFile != nullptr) return;
    logFile = std::fopen(fileName, "w");
}

void LogLine(const char* text) {
    if (logFile == nullptr) return;
    std::fputs(text, logFile);
    std::fputc('\n', logFile);
    std::fflush(logFile);
}

void LogClose() {
    if (logFile == nullptr) return;
    std::fflush(logFile);
    std::fclose(logFile);
    logFile = nullptr;
}
