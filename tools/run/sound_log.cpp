#include "run/sound_log.h"

#include "sound/sound.h"

namespace {

FILE* soundLog = nullptr;
int currentFrame = 0;

void Write(SoundEvent event, const NxVec3& p) {
    std::fprintf(soundLog, "%d %s %.3f %.3f %.3f\n", currentFrame, SoundEventName(event), p.x, p.y,
                 p.z);
}

}  // namespace

void StartSoundLog(FILE* out) {
    soundLog = out;
    if (soundLog != nullptr) SetSoundObserver(Write);
}

void SetSoundLogFrame(int frame) {
    currentFrame = frame;
}

void EndSoundLog() {
    if (soundLog == nullptr) return;
    SetSoundObserver(nullptr);
    std::fclose(soundLog);
    soundLog = nullptr;
}
