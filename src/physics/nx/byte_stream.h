// The typed reads and writes of NxStream, each value whole in its size and the machine's byte
// order with nothing between values, over two raw operations that a stream supplies: the game's
// file stream and the in-memory stream of the tools and tests.
#pragma once

#include <cstring>

#include "NxStream.h"

class ByteStream : public NxStream {
public:
    NxU8 readByte() const override { return read<NxU8>(); }
    NxU16 readWord() const override { return read<NxU16>(); }
    NxU32 readDword() const override { return read<NxU32>(); }
    NxF32 readFloat() const override { return read<NxF32>(); }
    NxF64 readDouble() const override { return read<NxF64>(); }
    // A read that cannot deliver all its bytes delivers zeros and is remembered: readFailed()
    // then answers true, and the SDK's mesh readers stop there, so no half-read mesh is built.
    void readBuffer(void* buffer, NxU32 size) const override {
        if (size == 0 || readBytes(buffer, size)) return;
        std::memset(buffer, 0, size);
        failed_ = true;
    }
    bool readFailed() const override { return failed_; }

    NxStream& storeByte(NxU8 b) override { return storeBuffer(&b, sizeof b); }
    NxStream& storeWord(NxU16 w) override { return storeBuffer(&w, sizeof w); }
    NxStream& storeDword(NxU32 d) override { return storeBuffer(&d, sizeof d); }
    NxStream& storeFloat(NxReal f) override { return storeBuffer(&f, sizeof f); }
    NxStream& storeDouble(NxF64 f) override { return storeBuffer(&f, sizeof f); }
    NxStream& storeBuffer(const void* buffer, NxU32 size) override {
        if (size != 0) writeBytes(buffer, size);
        return *this;
    }

protected:
    // The next `size` (at least 1) bytes into `buffer`; false when fewer are left.
    virtual bool readBytes(void* buffer, NxU32 size) const = 0;
    virtual void writeBytes(const void* buffer, NxU32 size) = 0;

private:
    template <class T>
    T read() const {
        T value{};
        readBuffer(&value, sizeof value);
        return value;
    }

    mutable bool failed_ = false;
};
