// The few Windows types that the game's calls into the platform use.
#pragma once

#include <cstdint>

typedef uint32_t DWORD;
typedef int BOOL;
typedef const char* LPCSTR;
typedef char* LPSTR;

// The game only ever reads QuadPart.
struct LARGE_INTEGER {
    int64_t QuadPart;
};
