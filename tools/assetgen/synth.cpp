#include "synth.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace {

constexpr float kTwoPi = 6.28318530718f;
constexpr float kEndFade = 0.005f;  // seconds: no click at the end

size_t Samples(float seconds) {
    return static_cast<size_t>(seconds * kSampleRate);
}

float Glide(float from, float to, float share) {
    return from * std::pow(to / from, share);
}

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
}

}  // namespace

Track Tone(float seconds, float from, float to, Wave wave) {
    Track track(Samples(seconds));
    float phase = 0;  // in turns
    for (size_t i = 0; i < track.size(); ++i) {
        phase += Glide(from, to, static_cast<float>(i) / track.size()) / kSampleRate;
        phase -= std::floor(phase);
        switch (wave) {
            case Wave::Sine: track[i] = std::sin(kTwoPi * phase); break;
            case Wave::Square: track[i] = phase < 0.5f ? 0.6f : -0.6f; break;
            case Wave::Saw: track[i] = 2 * phase - 1; break;
        }
    }
    return track;
}

Track Noise(float seconds, float from, float to, uint32_t seed) {
    Track track(Samples(seconds));
    float low = 0;
    for (size_t i = 0; i < track.size(); ++i) {
        float white = 2 * HashUnit(static_cast<int32_t>(i), 0, 0, seed) - 1;
        float cutoff = Glide(from, to, static_cast<float>(i) / track.size());
        float k = 1 - std::exp(-kTwoPi * cutoff / kSampleRate);  // one-pole low pass
        low += k * (white - low);
        track[i] = low;
    }
    return track;
}

Track Envelope(Track track, float attack, float decay) {
    for (size_t i = 0; i < track.size(); ++i) {
        float t = static_cast<float>(i) / kSampleRate;
        float rise = attack > 0 ? std::min(t / attack, 1.0f) : 1.0f;
        float fall = decay > 0 ? std::exp(-std::max(t - attack, 0.0f) / decay) : 1.0f;
        track[i] *= rise * fall;
    }
    return track;
}

Track Tremolo(Track track, float rate, float depth) {
    for (size_t i = 0; i < track.size(); ++i)
        track[i] *= 1 - depth * 0.5f * (1 + std::sin(kTwoPi * rate * i / kSampleRate));
    return track;
}

void MixInto(Track& into, const Track& track, float gain, float at) {
    size_t start = Samples(at);
    if (into.size() < start + track.size()) into.resize(start + track.size(), 0.0f);
    for (size_t i = 0; i < track.size(); ++i) into[start + i] += gain * track[i];
}

Track Finished(Track track, float peak) {
    float loudest = 0;
    for (float s : track) loudest = std::max(loudest, std::abs(s));
    if (loudest > 0)
        for (float& s : track) s *= peak / loudest;
    size_t fade = std::min(Samples(kEndFade), track.size());
    for (size_t i = 0; i < fade; ++i) track[track.size() - 1 - i] *= static_cast<float>(i) / fade;
    return track;
}

Track Looped(Track track, float fade) {
    size_t n = std::min(Samples(fade), track.size() / 2), keep = track.size() - n;
    for (size_t i = 0; i < n; ++i) {
        float share = static_cast<float>(i) / n;
        track[i] = share * track[i] + (1 - share) * track[keep + i];
    }
    track.resize(keep);
    return track;
}

std::string WavBytes(const Track& track) {
    const uint32_t dataSize = static_cast<uint32_t>(track.size() * 2);
    std::string out = "RIFF";
    PutLe(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);               // the format chunk's size
    PutLe(out, 1, 2);                // PCM
    PutLe(out, 1, 2);                // one channel
    PutLe(out, kSampleRate, 4);      // samples a second
    PutLe(out, kSampleRate * 2, 4);  // bytes a second
    PutLe(out, 2, 2);                // bytes a sample
    PutLe(out, 16, 2);               // bits a sample
    out += "data";
    PutLe(out, dataSize, 4);
    for (float s : track) {
        long sample = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        PutLe(out, static_cast<uint32_t>(static_cast<int16_t>(sample)), 2);
    }
    return out;
}
