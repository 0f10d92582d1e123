// The sound file reader on any bytes: it takes them or says why not, and what it takes holds
// samples, a usable rate and no more samples than the bytes do.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sound/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound sound;
    std::string error;
    if (!ParseWav(std::string(reinterpret_cast<const char*>(data), size), sound, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (sound.samples.empty() || sound.sampleRate <= 0 || sound.samples.size() * 2 > size)
        std::abort();
    return 0;
}
