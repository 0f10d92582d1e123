// The start-up log "zvLog.txt": one milestone a line, flushed at once so it shows how far the
// game got even if it dies.
#pragma once

#include <cstdio>

extern FILE* logFile;

void LogOpen(const char* fileName);
void LogLine(const char* text);
void LogClose();
