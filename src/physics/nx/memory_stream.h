// A stream over bytes in memory, for cooking without files (the cooking tool's tests, the
// layer's tests and its benchmark). Reads past the end deliver zeros and are remembered.
#pragma once

#include <cstring>
#include <string>

#include "NxStream.h"

class MemoryStream : public NxStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string data) : bytes(std::move(data)) {}

    NxU8 readByte() const override { return read<NxU8>(); }
    NxU16 readWord() const override { return read<NxU16>(); }
    NxU32 readDword() const override { return read<NxU32>(); }
    NxF32 readFloat() const override { return read<NxF32>(); }
    NxF64 readDouble() const override { return read<NxF64>(); }
    void readBuffer(void* buffer, NxU32 size) const override {
        if (size > bytes.size() - readAt) {
            std::memset(buffer, 0, size);
            failed = true;
            readAt = bytes.size();
            return;
        }
        std::memcpy(buffer, bytes.data() + readAt, size);
        readAt += size;
    }
    bool readFailed() const override { return failed; }

    NxStream& storeByte(NxU8 b) override { return store(&b, sizeof b); }
    NxStream& storeWord(NxU16 w) override { return store(&w, sizeof w); }
    NxStream& storeDword(NxU32 d) override { return store(&d, sizeof d); }
    NxStream& storeFloat(NxReal f) override { return store(&f, sizeof f); }
    NxStream& storeDouble(NxF64 f) override { return store(&f, sizeof f); }
    NxStream& storeBuffer(const void* buffer, NxU32 size) override { return store(buffer, size); }

    std::string bytes;
    mutable size_t readAt = 0;
    mutable bool failed = false;

private:
    template <class T>
    T read() const {
        T value{};
        readBuffer(&value, sizeof value);
        return value;
    }
    NxStream& store(const void* data, size_t size) {
        bytes.append(static_cast<const char*>(data), size);
        return *this;
    }
};
