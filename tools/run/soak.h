// Soak runs: seeded random play, and a report of what a long run must keep flat. Every frame may
// press or release a game key or a mouse button, move the pointer or press a function key. The
// same seed gives the same input, so a soak that finds something can be run again.
#pragma once

#include <cstdint>
#include <random>

class RandomInput {
public:
    // Without function keys, the GL driver's state stays as it starts (see RestoreSwitches).
    RandomInput(uint32_t seed, bool functionKeys) : random_(seed), functionKeys_(functionKeys) {}
    // Feeds this frame's input to the game's handlers.
    void Apply();
    // Presses once more every function key pressed an odd number of times, so that every switch
    // (texture filters, mipmaps, shaders...) is as it was at the start: memory compared with an
    // earlier report then means the same state, not textures that now carry mipmaps.
    void RestoreSwitches();

private:
    bool Chance(uint32_t perThousand) { return random_() % 1000 < perThousand; }
    uint32_t Pick(uint32_t count) { return random_() % count; }

    std::mt19937 random_;
    bool functionKeys_;        // the same numbers on every platform, unlike the distributions
    bool keysDown_[256] = {};  // the held keys' state, by character
    bool buttonsDown_[3] = {};
    bool switched_[13] = {};  // by function key number: pressed an odd number of times
};

// One line on the error stream: the frame, the process's resident memory and heap in use, and
// the counts of objects, enemies, projectiles and particles.
void ReportSoak(int frame);
