// Every sound effect the game plays, synthesized: written as OUTDIR/sounds/<name>.wav.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

struct SoundAsset {
    const char* name;  // the file's name without ".wav"
    Track (*make)();
};

const std::vector<SoundAsset>& SoundAssets();

// Writes all of them into `soundsDir`; false with `error` set on the first failure.
bool WriteSounds(const std::string& soundsDir, std::string& error);
