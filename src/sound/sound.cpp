#include "sound/sound.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/game_path.h"
#include "sound/wav_file.h"

namespace {

// What each event plays: its file under sounds\ and its loudness before the master volume.
struct Voice {
    const char* name;  // in the sound log
    const char* file;
    float gain;
};
constexpr Voice kVoices[] = {
    {"shot", "minigun", 0.45f},
    {"launch", "launch", 0.8f},
    {"explosion", "explosion", 1.0f},
    {"bullet-hit", "bullet_hit", 0.35f},
    {"boost", "boost", 0.5f},
    {"wall-jump", "wall_jump", 0.7f},
    {"hurt", "hurt", 0.7f},
    {"life-lost", "life_lost", 0.9f},
    {"respawn", "respawn", 0.8f},
    {"game-over", "game_over", 1.0f},
    {"ring", "ring", 0.8f},
    {"door", "door", 0.9f},
    {"health-pickup", "pickup_health", 0.7f},
    {"ammo-pickup", "pickup_ammo", 0.7f},
    {"respawn-pickup", "pickup_respawn", 0.7f},
    {"cannon-notice", "cannon_notice", 0.7f},
    {"bomb-notice", "bomb_notice", 0.7f},
    {"fly-notice", "fly_notice", 0.7f},
    {"block-notice", "block_notice", 0.8f},
    {"block-leap", "block_leap", 0.9f},
    {"enemy-death", "enemy_death", 1.0f},
    {"roll", "roll", 0.6f},
    {"roll-stop", nullptr, 0},  // the rolling loop falls silent; nothing of its own
};
constexpr int kEventCount = static_cast<int>(SoundEvent::Count);
static_assert(std::size(kVoices) == kEventCount);

// Sources for the one-shot sounds: when all are busy the one started longest ago gives way.
constexpr int kSources = 24;
// World units: full loudness within kNear, then falling off with distance up to kFar.
constexpr float kNear = 2.0f, kFar = 120.0f;
// Rolling: heard from kRollStart units per second, silent again below kRollStop (the gap keeps a
// ball at the threshold from stuttering); loudest and highest from kRollFull.
constexpr float kRollStart = 0.3f, kRollStop = 0.15f, kRollFull = 8.0f;

ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
ALuint buffers[kEventCount] = {};
ALuint sources[kSources] = {};
ALuint rollSource = 0;
int nextSource = 0;
float volume = 0.8f;
bool muted = false;
bool rolling = false;
SoundObserver observer = nullptr;

constexpr int Index(SoundEvent event) {
    return static_cast<int>(event);
}

bool Playing() {
    return context != nullptr;
}

// The samples of one sound file, as a buffer; 0 when the file cannot be used (said once).
ALuint LoadBuffer(const char* name) {
    std::string path = std::string("sounds\\") + name + ".wav";
    std::string bytes, error = "cannot be read";
    FILE* file = GameOpen(path.c_str(), "rb");
    if (file != nullptr) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
        std::fclose(file);
    }
    WavSound wav;
    if (file == nullptr || !ParseWav(bytes, wav, error)) {
        std::fprintf(stderr, "Sound: %s %s; it stays silent\n", GamePath(path.c_str()).c_str(),
                     error.c_str());
        return 0;
    }
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, wav.samples.data(),
                 static_cast<ALsizei>(wav.samples.size() * sizeof(int16_t)), wav.sampleRate);
    return buffer;
}

void PlaceSource(ALuint source, const NxVec3& p) {
    alSourcef(source, AL_REFERENCE_DISTANCE, kNear);
    alSourcef(source, AL_MAX_DISTANCE, kFar);
    alSource3f(source, AL_POSITION, p.x, p.y, p.z);
}

// The next source in turn that is not playing; when all are, the one started longest ago, which
// is the next in turn.
ALuint FreeSource() {
    int chosen = nextSource;
    for (int i = 0; i < kSources; ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources[(nextSource + i) % kSources], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            chosen = (nextSource + i) % kSources;
            break;
        }
    }
    nextSource = (chosen + 1) % kSources;
    alSourceStop(sources[chosen]);
    return sources[chosen];
}

void CloseDevice() {
    if (context != nullptr) alcDestroyContext(context);
    if (device != nullptr) alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

void ApplyVolume() {
    alListenerf(AL_GAIN, muted ? 0.0f : volume);
}

void Report(SoundEvent event, const NxVec3& position) {
    if (observer != nullptr) observer(event, position);
}

}  // namespace

const char* SoundEventName(SoundEvent event) {
    return kVoices[Index(event)].name;
}

void StartSound(const SoundSettings& settings) {
    volume = std::clamp(settings.volume, 0, 100) / 100.0f;
    if (!settings.enabled) return;
    device = alcOpenDevice(nullptr);
    if (device == nullptr) return;
    context = alcCreateContext(device, nullptr);
    if (context == nullptr || !alcMakeContextCurrent(context)) {
        CloseDevice();
        return;
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    for (int i = 0; i < kEventCount; ++i)
        if (kVoices[i].file != nullptr) buffers[i] = LoadBuffer(kVoices[i].file);
    alGenSources(kSources, sources);
    alGenSources(1, &rollSource);
    alSourcei(rollSource, AL_BUFFER, static_cast<ALint>(buffers[Index(SoundEvent::Roll)]));
    alSourcei(rollSource, AL_LOOPING, AL_TRUE);
    ApplyVolume();
}

void StopSound() {
    if (Playing()) {
        alSourceStopv(kSources, sources);
        alSourceStop(rollSource);
        alDeleteSources(kSources, sources);
        alDeleteSources(1, &rollSource);
        for (ALuint& buffer : buffers)
            if (buffer != 0) alDeleteBuffers(1, &buffer);
        std::fill(std::begin(buffers), std::end(buffers), 0);
        alcMakeContextCurrent(nullptr);
    }
    CloseDevice();
    rolling = false;
}

void PlaySoundEvent(SoundEvent event, const NxVec3& position) {
    Report(event, position);
    ALuint buffer = buffers[Index(event)];
    if (!Playing() || buffer == 0) return;
    ALuint source = FreeSource();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_GAIN, kVoices[Index(event)].gain);
    PlaceSource(source, position);
    alSourcePlay(source);
}

void SetRollingSound(const NxVec3& position, float speed) {
    bool heard = speed >= (rolling ? kRollStop : kRollStart);
    if (heard != rolling) Report(heard ? SoundEvent::Roll : SoundEvent::RollStop, position);
    bool started = heard && !rolling;
    rolling = heard;
    if (!Playing()) return;
    if (!heard) {
        alSourcePause(rollSource);
        return;
    }
    float pace = std::min(speed / kRollFull, 1.0f);
    alSourcef(rollSource, AL_GAIN, kVoices[Index(SoundEvent::Roll)].gain * (0.25f + 0.75f * pace));
    alSourcef(rollSource, AL_PITCH, 0.6f + 0.9f * pace);
    PlaceSource(rollSource, position);
    if (started) alSourcePlay(rollSource);
}

void SetSoundListener(const float eye[3], const float center[3]) {
    if (!Playing()) return;
    const float orientation[6] = {
        center[0] - eye[0], center[1] - eye[1], center[2] - eye[2], 0, 1, 0};
    alListener3f(AL_POSITION, eye[0], eye[1], eye[2]);
    alListenerfv(AL_ORIENTATION, orientation);
}

void ToggleSoundMute() {
    muted = !muted;
    if (Playing()) ApplyVolume();
}

void SetSoundObserver(SoundObserver newObserver) {
    observer = newObserver;
}
