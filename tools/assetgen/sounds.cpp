// The recipes: each sound is a few tones and noises, shaped and mixed. Lengths in seconds,
// pitches and filter cutoffs in hertz; the seeds only tell the noises apart.
#include "sounds.h"

#include <filesystem>
#include <fstream>

namespace {

// A short rattle of bright noise over a thump.
Track Minigun() {
    Track t = Envelope(Noise(0.12f, 6000, 1500, 1), 0.002f, 0.025f);
    MixInto(t, Envelope(Tone(0.1f, 180, 60), 0, 0.03f), 0.7f);
    return Finished(t);
}

// A whoosh that opens up, over a low rumble.
Track Launch() {
    Track t = Envelope(Noise(0.7f, 400, 3000, 2), 0.05f, 0.25f);
    MixInto(t, Envelope(Tone(0.7f, 90, 45, Wave::Saw), 0.01f, 0.2f), 0.3f);
    return Finished(t);
}

// A crack, then a long dull roar that darkens.
Track Explosion() {
    Track t = Envelope(Noise(1.6f, 2500, 120, 3), 0.003f, 0.4f);
    MixInto(t, Envelope(Noise(0.08f, 8000, 3000, 4), 0, 0.02f), 0.6f);
    MixInto(t, Envelope(Tone(1.2f, 70, 30), 0.005f, 0.35f), 0.8f);
    return Finished(t, 0.95f);
}

// A tick and a small metallic ping.
Track BulletHit() {
    Track t = Envelope(Noise(0.05f, 9000, 4000, 5), 0, 0.008f);
    MixInto(t, Envelope(Tone(0.15f, 2600, 2300), 0.001f, 0.04f), 0.4f);
    return Finished(t, 0.8f);
}

// A low hum of rolling stone; loops.
Track Roll() {
    Track t = Noise(1.6f, 160, 160, 6);
    MixInto(t, Noise(1.6f, 900, 900, 7), 0.15f);
    return Looped(Finished(Tremolo(t, 5, 0.3f), 0.8f), 0.3f);  // its fade-out is cut off
}

// A rising puff.
Track Boost() {
    Track t = Envelope(Tone(0.35f, 180, 520), 0.02f, 0.12f);
    MixInto(t, Envelope(Noise(0.35f, 800, 2500, 8), 0.03f, 0.1f), 0.5f);
    return Finished(t);
}

// A springy knock.
Track WallJump() {
    Track t = Envelope(Tone(0.3f, 320, 110), 0.002f, 0.08f);
    MixInto(t, Envelope(Noise(0.04f, 3000, 800, 9), 0, 0.01f), 0.6f);
    return Finished(t);
}

// A harsh falling buzz.
Track Hurt() {
    return Finished(Envelope(Tone(0.25f, 420, 180, Wave::Square), 0.005f, 0.09f), 0.7f);
}

// A long wavering fall.
Track LifeLost() {
    return Finished(Tremolo(Envelope(Tone(1.0f, 880, 90, Wave::Saw), 0.01f, 0.4f), 9, 0.5f), 0.7f);
}

// A rising shimmer of three notes.
Track Respawn() {
    Track t;
    const float notes[] = {523, 659, 784};
    for (int i = 0; i < 3; ++i)
        MixInto(t, Envelope(Tone(0.5f, notes[i], notes[i]), 0.01f, 0.15f), 0.6f, i * 0.1f);
    MixInto(t, Envelope(Noise(0.6f, 6000, 6000, 10), 0.2f, 0.15f), 0.15f);
    return Finished(t);
}

// Three slow falling notes.
Track GameOver() {
    Track t;
    const float notes[] = {392, 330, 262};
    for (int i = 0; i < 3; ++i)
        MixInto(t, Envelope(Tone(0.6f, notes[i], notes[i] * 0.98f, Wave::Square), 0.01f, 0.25f),
                0.5f, i * 0.4f);
    return Finished(t, 0.8f);
}

// A bright two-tone chime.
Track Ring() {
    Track t = Envelope(Tone(0.6f, 1319, 1319), 0.002f, 0.2f);
    MixInto(t, Envelope(Tone(0.5f, 1976, 1976), 0.002f, 0.15f), 0.7f, 0.07f);
    return Finished(t, 0.8f);
}

// A grinding rumble that lasts while the door rises.
Track Door() {
    Track t = Tremolo(Noise(1.2f, 300, 200, 11), 14, 0.6f);
    MixInto(t, Tone(1.2f, 55, 50, Wave::Saw), 0.25f);
    return Finished(Envelope(t, 0.08f, 0.6f), 0.85f);
}

// Two quick notes, rising by `interval` (a frequency ratio).
Track Blip(float base, float interval, Wave wave) {
    Track t = Envelope(Tone(0.12f, base, base, wave), 0.003f, 0.05f);
    MixInto(t, Envelope(Tone(0.18f, base * interval, base * interval, wave), 0.003f, 0.07f), 1,
            0.08f);
    return Finished(t, 0.7f);
}
Track PickupHealth() {
    return Blip(660, 1.5f, Wave::Sine);
}
Track PickupAmmo() {
    return Blip(440, 1.26f, Wave::Square);
}
Track PickupRespawn() {
    return Blip(880, 2.0f, Wave::Sine);
}

// The cannon: two mechanical beeps.
Track CannonNotice() {
    Track t;
    for (int i = 0; i < 2; ++i)
        MixInto(t, Envelope(Tone(0.09f, 1200, 1200, Wave::Square), 0.002f, 0.03f), 0.6f, i * 0.14f);
    return Finished(t, 0.7f);
}

// The bomb: a lit fuse's hiss.
Track BombNotice() {
    return Finished(Tremolo(Envelope(Noise(0.7f, 7000, 5000, 12), 0.02f, 0.3f), 23, 0.4f), 0.6f);
}

// The fly: a wavering buzz.
Track FlyNotice() {
    Track t = Tremolo(Tone(0.6f, 140, 170, Wave::Saw), 30, 0.5f);
    return Finished(Envelope(t, 0.05f, 0.25f), 0.6f);
}

// The jumping block: a low growl.
Track BlockNotice() {
    Track t = Tremolo(Tone(0.7f, 75, 60, Wave::Saw), 11, 0.6f);
    MixInto(t, Noise(0.7f, 400, 200, 13), 0.5f);
    return Finished(Envelope(t, 0.05f, 0.3f), 0.85f);
}

// The jumping block's leap: a heavy push upwards.
Track BlockLeap() {
    Track t = Envelope(Tone(0.35f, 60, 140), 0.01f, 0.1f);
    MixInto(t, Envelope(Noise(0.3f, 600, 1500, 14), 0.01f, 0.08f), 0.6f);
    return Finished(t);
}

// A blast with metal ringing in it.
Track EnemyDeath() {
    Track t = Envelope(Noise(1.2f, 3000, 150, 15), 0.002f, 0.3f);
    MixInto(t, Envelope(Tone(1.0f, 347, 330), 0.002f, 0.3f), 0.25f);
    MixInto(t, Envelope(Tone(1.0f, 871, 840), 0.002f, 0.2f), 0.15f);
    MixInto(t, Envelope(Tone(0.8f, 80, 35), 0.003f, 0.25f), 0.7f);
    return Finished(t, 0.95f);
}

}  // namespace

const std::vector<SoundAsset>& SoundAssets() {
    static const std::vector<SoundAsset> sounds = {
        {"minigun", Minigun},
        {"launch", Launch},
        {"explosion", Explosion},
        {"bullet_hit", BulletHit},
        {"roll", Roll},
        {"boost", Boost},
        {"wall_jump", WallJump},
        {"hurt", Hurt},
        {"life_lost", LifeLost},
        {"respawn", Respawn},
        {"game_over", GameOver},
        {"ring", Ring},
        {"door", Door},
        {"pickup_health", PickupHealth},
        {"pickup_ammo", PickupAmmo},
        {"pickup_respawn", PickupRespawn},
        {"cannon_notice", CannonNotice},
        {"bomb_notice", BombNotice},
        {"fly_notice", FlyNotice},
        {"block_notice", BlockNotice},
        {"block_leap", BlockLeap},
        {"enemy_death", EnemyDeath},
    };
    return sounds;
}

bool WriteSounds(const std::string& soundsDir, std::string& error) {
    std::error_code failed;
    std::filesystem::create_directories(soundsDir, failed);
    for (const SoundAsset& sound : SoundAssets()) {
        std::string path = soundsDir + "/" + sound.name + ".wav";
        std::ofstream out(path, std::ios::binary);
        out << WavBytes(sound.make());
        if (!out) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}
