// The file stream through which the SDK reads cooked meshes: each value is one fread or fwrite
// of its size, in the machine's byte order, with nothing between values.
#pragma once

#include <cstdio>

#include "byte_stream.h"

class UserStream : public ByteStream {
public:
    // Opens the game path `filename` for reading ("rb") when `load` is true, else for writing
    // ("wb"). A file that cannot be opened reads as an empty one.
    UserStream(const char* filename, bool load);
    ~UserStream() override;
    UserStream(const UserStream&) = delete;
    UserStream& operator=(const UserStream&) = delete;

    FILE* fp = nullptr;

protected:
    bool readBytes(void* buffer, NxU32 size) const override;
    void writeBytes(const void* buffer, NxU32 size) override;
};
