// A small sound synthesizer for the game's effects: tones swept in pitch, filtered noise,
// envelopes and mixing, all deterministic (noise from fixed seeds). Tracks are mono floats at
// kSampleRate, about -1 to 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Track = std::vector<float>;

constexpr int kSampleRate = 22050;

enum class Wave { Sine, Square, Saw };

// A tone whose pitch glides exponentially from `from` to `to` hertz over `seconds`.
Track Tone(float seconds, float from, float to, Wave wave = Wave::Sine);
// White noise through a low-pass filter whose cutoff glides from `from` to `to` hertz.
Track Noise(float seconds, float from, float to, uint32_t seed);
// Shaped by a linear rise over `attack` seconds and an exponential fall with time constant
// `decay` seconds (0: no fall).
Track Envelope(Track track, float attack, float decay);
// Louder and softer `rate` times a second, by `depth` (0 to 1).
Track Tremolo(Track track, float rate, float depth);
// `track` at `gain`, starting `at` seconds into `into`, which grows as needed.
void MixInto(Track& into, const Track& track, float gain, float at = 0);
// Scaled so that its loudest sample is `peak`, with the last few milliseconds faded out.
Track Finished(Track track, float peak = 0.9f);
// The last `fade` seconds blended into the start and cut off, so the sound loops without a seam.
Track Looped(Track track, float fade);

// A RIFF WAVE file of 16-bit PCM, one channel, kSampleRate.
std::string WavBytes(const Track& track);
