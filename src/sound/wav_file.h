// The sound files: RIFF WAVE, uncompressed 16-bit PCM, one channel, any sample rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavSound {
    int sampleRate = 0;
    std::vector<int16_t> samples;
};

// Reads a whole file's bytes; false with `error` set for anything but the format above, for
// sizes that disagree with the bytes, and for a file without samples.
bool ParseWav(const std::string& bytes, WavSound& sound, std::string& error);
