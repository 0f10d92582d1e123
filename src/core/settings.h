// Typed readers for the game's INI files. Every key of the game goes through them, and a missing
// key shows up as the sentinel NOT_FOUND_VALUE (numbers) or "[NOT FOUND]" (text).
#pragma once

#include <cstdint>

#include "NxVec3.h"

constexpr int32_t NOT_FOUND_VALUE = 12345678;
constexpr const char* NOT_FOUND_TEXT = "[NOT FOUND]";

struct Vec2 {
    float x, y;
};

struct Vec4 {
    float x, y, z, w;
};

void ReadString(const char* file, const char* section, const char* key, char* buffer,
                uint32_t size);
int32_t ReadInt(const char* file, const char* section, const char* key);
bool ReadBool(const char* file, const char* section, const char* key);
float ReadFloat(const char* file, const char* section, const char* key);
Vec2 ReadVec2(const char* file, const char* section, const char* key);
NxVec3 ReadVec3(const char* file, const char* section, const char* key);
Vec4 ReadVec4(const char* file, const char* section, const char* key);
// A new float[16] (column-major 4x4) that the caller frees with delete[].
float* ReadMatrix(const char* file, const char* section, const char* key);
// Scans a matrix value as ReadMatrix does into `m`, which the caller has zeroed; the count of
// numbers read (a comma between each two is required). `rest`, unless null, gets what follows
// the 16th number, or null when there are fewer.
int ScanMatrix(const char* text, float m[16], const char** rest);
