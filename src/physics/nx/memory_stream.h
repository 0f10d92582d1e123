// A stream over bytes in memory, for cooking without files (the cooking tool's tests, the
// layer's tests and its benchmark).
#pragma once

#include <string>

#include "byte_stream.h"

class MemoryStream : public ByteStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string data) : bytes(std::move(data)) {}

    std::string bytes;

protected:
    bool readBytes(void* buffer, NxU32 size) const override {
        if (size > bytes.size() - readAt_) {
            readAt_ = bytes.size();
            return false;
        }
        std::memcpy(buffer, bytes.data() + readAt_, size);
        readAt_ += size;
        return true;
    }
    void writeBytes(const void* buffer, NxU32 size) override {
        bytes.append(static_cast<const char*>(buffer), size);
    }

private:
    mutable size_t readAt_ = 0;
};
