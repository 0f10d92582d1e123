#include "sound/wav_file.h"

#include <cstring>

namespace {

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

uint16_t Le16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1])
                                                                   << 8);
}

constexpr uint16_t kPcm = 1;
constexpr int kMaxRate = 192000;

}  // namespace

bool ParseWav(const std::string& bytes, WavSound& sound, std::string& error) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        error = "not a RIFF WAVE file";
        return false;
    }
    if (Le32(bytes, 4) != bytes.size() - 8) {
        error = "its RIFF size disagrees with its length";
        return false;
    }
    bool haveFormat = false;
    // Chunks follow one another, each padded to an even length.
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size = Le32(bytes, at + 4);
        size_t body = at + 8;
        if (size > bytes.size() - body) {
            error = "a chunk runs past the end of the file";
            return false;
        }
        if (bytes.compare(at, 4, "fmt ") == 0) {
            if (size < 16 || Le16(bytes, body) != kPcm || Le16(bytes, body + 2) != 1 ||
                Le16(bytes, body + 14) != 16) {
                error = "not 16-bit PCM with one channel";
                return false;
            }
            uint32_t rate = Le32(bytes, body + 4);
            if (rate == 0 || rate > kMaxRate || Le32(bytes, body + 8) != rate * 2 ||
                Le16(bytes, body + 12) != 2) {
                error = "its sample rate or byte rate is impossible";
                return false;
            }
            sound.sampleRate = static_cast<int>(rate);
            haveFormat = true;
        } else if (bytes.compare(at, 4, "data") == 0) {
            if (!haveFormat) {
                error = "its samples come before their format";
                return false;
            }
            if (size < 2) {
                error = "it holds no samples";
                return false;
            }
            sound.samples.resize(size / 2);
            for (size_t i = 0; i < sound.samples.size(); ++i)
                sound.samples[i] = static_cast<int16_t>(Le16(bytes, body + 2 * i));
            return true;
        }
        at = body + size + (size & 1);
    }
    error = haveFormat ? "it has no data chunk" : "it has no format chunk";
    return false;
}
