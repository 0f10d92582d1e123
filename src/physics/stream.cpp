#include "physics/stream.h"

#include "platform/game_path.h"

UserStream::UserStream(const char* filename, bool load)
    : fp(GameOpen(filename, load ? "rb" : "wb")) {}

UserStream::~UserStream() {
    if (fp != nullptr) std::fclose(fp);
}

bool UserStream::readBytes(void* buffer, NxU32 size) const {
    return fp != nullptr && std::fread(buffer, size, 1, fp) == 1;
}

void UserStream::writeBytes(const void* buffer, NxU32 size) {
    if (fp != nullptr) std::fwrite(buffer, size, 1, fp);
}
