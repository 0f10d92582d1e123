// The Windows profile-string reader, answering exactly as the real one does.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

// Looks up `key` in `section` of the INI file `fileName` and copies the value (or `defaultValue`)
// into `returnedString`, at most `size` - 1 bytes plus a terminator. Returns the bytes copied.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR returnedString, DWORD size, LPCSTR fileName);

// What an INI file holds, for tools that check one: its section headers in file order, each with
// the names of its key lines in file order, repeats included. Lookups see only the first section
// of a name and the first line of a key. Empty for a file that cannot be read.
struct ProfileSection {
    std::string name;
    std::vector<std::string> keys;
};
std::vector<ProfileSection> ProfileOutline(LPCSTR fileName);
