#include "physics/stream.h"

#include <cstring>

#include "platform/game_path.h"

UserStream::UserStream(const char* filename, bool load)
    : fp(GameOpen(filename, load ? "rb" : "wb")) {}

UserStream::~UserStream() {
    if (fp != nullptr) std::fclose(fp);
}

NxU8 UserStream::readByte() const {
    return read<NxU8>();
}
NxU16 UserStream::readWord() const {
    return read<NxU16>();
}
NxU32 UserStream::readDword() const {
    return read<NxU32>();
}
NxF32 UserStream::readFloat() const {
    return read<NxF32>();
}
NxF64 UserStream::readDouble() const {
    return read<NxF64>();
}

void UserStream::readBuffer(void* buffer, NxU32 size) const {
    if (size == 0) return;
    if (fp == nullptr || std::fread(buffer, size, 1, fp) != 1) {
        std::memset(buffer, 0, size);
        readFailed_ = true;
    }
}

NxStream& UserStream::store(const void* buffer, size_t size) {
    if (fp != nullptr && size != 0) std::fwrite(buffer, size, 1, fp);
    return *this;
}

NxStream& UserStream::storeByte(NxU8 b) {
    return store(&b, sizeof b);
}
NxStream& UserStream::storeWord(NxU16 w) {
    return store(&w, sizeof w);
}
NxStream& UserStream::storeDword(NxU32 d) {
    return store(&d, sizeof d);
}
NxStream& UserStream::storeFloat(NxReal f) {
    return store(&f, sizeof f);
}
NxStream& UserStream::storeDouble(NxF64 f) {
    return store(&f, sizeof f);
}
NxStream& UserStream::storeBuffer(const void* buffer, NxU32 size) {
    return store(buffer, size);
}
