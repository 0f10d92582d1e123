// The game's sound: the game reports what happens, one call per event with where it happens, and
// this layer decides what plays. It never touches the game's state, its random numbers, its clock
// or its physics: without an audio device, or switched off, the game runs the same, silently.
#pragma once

#include "NxVec3.h"

enum class SoundEvent {
    Shot,           // a minigun fires a bullet (the avatar's or an enemy's)
    Launch,         // a rocket or a grenade leaves its launcher
    Explosion,      // a rocket or a grenade goes off
    BulletHit,      // a bullet strikes something and ends
    Boost,          // the avatar's jump boost starts
    WallJump,       // the avatar kicks off a wall
    Hurt,           // the avatar takes damage
    LifeLost,       // the avatar loses a life...
    Respawn,        // ...and reappears at its respawn point
    GameOver,       // the last life is lost
    Ring,           // a ring is collected
    DoorOpen,       // a door starts to rise
    HealthPickup,   // the avatar takes a health item
    AmmoPickup,     // ... an ammunition item
    RespawnPickup,  // ... a respawn item
    CannonNotice,   // a cube cannon notices the avatar
    BombNotice,     // a moving bomb notices it
    FlyNotice,      // a fly notices it
    BlockNotice,    // a jumping block notices it
    BlockLeap,      // a jumping block leaps at the avatar
    EnemyDeath,     // an enemy is destroyed
    Roll,           // the avatar starts rolling audibly (reported by this layer)
    RollStop,       // ...and stops, or leaves the ground
    Count
};

// The event's name in the sound log ("shot", "ring", ...).
const char* SoundEventName(SoundEvent event);

struct SoundSettings {
    bool enabled = true;  // false: no device is opened
    int volume = 80;      // 0 to 100
};

// Opens the default audio device and loads the sounds ("sounds\<name>.wav"). Without a device
// the game stays silent; a sound file that cannot be used stays silent and is named once on
// the error stream.
void StartSound(const SoundSettings& settings);
// Stops every sound and closes the device.
void StopSound();

void PlaySoundEvent(SoundEvent event, const NxVec3& position);
// The avatar's rolling, once per step: louder and higher the faster it rolls; 0 is silent (in
// the air, dead or paused). Reports Roll and RollStop when it starts and stops being heard.
void SetRollingSound(const NxVec3& position, float speed);
// The listener stands at the eye and looks at the centre, up being +Y.
void SetSoundListener(const float eye[3], const float center[3]);
// Mutes or unmutes everything.
void ToggleSoundMute();

// Sees every event the game reports, device or not (the runner's sound log).
using SoundObserver = void (*)(SoundEvent event, const NxVec3& position);
void SetSoundObserver(SoundObserver observer);
