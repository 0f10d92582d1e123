#include "core/settings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/profile.h"

namespace {

// Reads the value text; false when the key is missing (the marker text came back).
bool ReadText(const char* file, const char* section, const char* key, char* buffer, uint32_t size) {
    ReadString(file, section, key, buffer, size);
    return std::strcmp(buffer, NOT_FOUND_TEXT) != 0;
}

// The C library's atoi, made safe for any text: values beyond int32 saturate.
int32_t ToInt(const char* text) {
    errno = 0;
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

constexpr float kMissing = static_cast<float>(NOT_FOUND_VALUE);

}  // namespace

void ReadString(const char* file, const char* section, const char* key, char* buffer,
                uint32_t size) {
    GetPrivateProfileStringA(section, key, NOT_FOUND_TEXT, buffer, size, file);
}

int32_t ReadInt(const char* file, const char* section, const char* key) {
    char text[256];
    return ReadText(file, section, key, text, sizeof text) ? ToInt(text) : NOT_FOUND_VALUE;
}

bool ReadBool(const char* file, const char* section, const char* key) {
    return ReadInt(file, section, key) != 0;
}

float ReadFloat(const char* file, const char* section, const char* key) {
    char text[256];
    if (!ReadText(file, section, key, text, sizeof text)) return kMissing;
    float value = 0;
    std::sscanf(text, "%f", &value);
    return value;
}

Vec2 ReadVec2(const char* file, const char* section, const char* key) {
    char text[256];
    if (!ReadText(file, section, key, text, sizeof text)) return {kMissing, kMissing};
    Vec2 v{0, 0};
    std::sscanf(text, "%f, %f", &v.x, &v.y);
    return v;
}

NxVec3 ReadVec3(const char* file, const char* section, const char* key) {
    char text[256];
    if (!ReadText(file, section, key, text, sizeof text)) return NxVec3(kMissing);
    NxVec3 v;
    std::sscanf(text, "%f, %f, %f", &v.x, &v.y, &v.z);
    return v;
}

Vec4 ReadVec4(const char* file, const char* section, const char* key) {
    char text[256];
    if (!ReadText(file, section, key, text, sizeof text))
        return {kMissing, kMissing, kMissing, kMissing};
    Vec4 v{0, 0, 0, 0};
    std::sscanf(text, "%f, %f, %f, %f", &v.x, &v.y, &v.z, &v.w);
    return v;
}

float* ReadMatrix(const char* file, const char* section, const char* key) {
    float* m = new float[16];
    char text[512];
    if (!ReadText(file, section, key, text, sizeof text)) {
        for (int i = 0; i < 16; ++i) m[i] = kMissing;
        return m;
    }
    for (int i = 0; i < 16; ++i) m[i] = 0;
    ScanMatrix(text, m, nullptr);
    return m;
}

int ScanMatrix(const char* text, float m[16], const char** rest) {
    int end = -1;
    int count =
        std::sscanf(text, "%f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f%n", &m[0],
                    &m[1], &m[2], &m[3], &m[4], &m[5], &m[6], &m[7], &m[8], &m[9], &m[10], &m[11],
                    &m[12], &m[13], &m[14], &m[15], &end);
    if (rest != nullptr) *rest = end < 0 ? nullptr : text + end;
    return count < 0 ? 0 : count;
}
