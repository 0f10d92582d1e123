// The file stream through which the SDK reads cooked meshes: each value is one fread or fwrite
// of its size, in the machine's byte order, with nothing between values.
#pragma once

#include <cstdio>

#include "NxStream.h"

class UserStream : public NxStream {
public:
    // Opens the game path `filename` for reading ("rb") when `load` is true, else for writing
    // ("wb").
    UserStream(const char* filename, bool load);
    ~UserStream() override;
    UserStream(const UserStream&) = delete;
    UserStream& operator=(const UserStream&) = delete;

    // A read that cannot deliver all its bytes (a missing or short file) delivers zeros and is
    // remembered: readFailed() then answers true, and the SDK's mesh readers stop there and
    // reject the file with a console line, so no half-read mesh is ever built.
    NxU8 readByte() const override;
    NxU16 readWord() const override;
    NxU32 readDword() const override;
    NxF32 readFloat() const override;
    NxF64 readDouble() const override;
    void readBuffer(void* buffer, NxU32 size) const override;
    bool readFailed() const override { return readFailed_; }

    NxStream& storeByte(NxU8 b) override;
    NxStream& storeWord(NxU16 w) override;
    NxStream& storeDword(NxU32 d) override;
    NxStream& storeFloat(NxReal f) override;
    NxStream& storeDouble(NxF64 f) override;
    NxStream& storeBuffer(const void* buffer, NxU32 size) override;

    FILE* fp = nullptr;

private:
    template <class T>
    T read() const {
        T value{};
        readBuffer(&value, sizeof value);
        return value;
    }
    NxStream& store(const void* buffer, size_t size);

    mutable bool readFailed_ = false;
};
