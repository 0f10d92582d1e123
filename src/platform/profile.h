// The Windows profile-string reader, answering exactly as the real one does.
#pragma once

#include "platform/win_types.h"

// Looks up `key` in `section` of the INI file `fileName` and copies the value (or `defaultValue`)
// into `returnedString`, at most `size` - 1 bytes plus a terminator. Returns the bytes copied.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR returnedString, DWORD size, LPCSTR fileName);
