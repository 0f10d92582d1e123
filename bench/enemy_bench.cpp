// enemy-bench: the cost of the game step (everything but drawing) with enemies at work. It starts
// the game as a player does, from the stage folder, and times the game step at a fixed 1/60 s:
// first with every enemy of the level hunting the ball, then with 40 enemies (ten of each kind)
// around the spawn point in place of the level's own. A measurement, not a test.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "core/globals.h"
#include "app/input.h"
#include "app/shell.h"
#include "platform/perf_counter.h"
#include "stress.h"

namespace {

constexpr int64_t kFrequency = 1000000000;  // the fixed clock counts nanoseconds
constexpr int64_t kStep = kFrequency / 60;
constexpr int kWarmUpSteps = 60;
constexpr int kSteps = 600;  // 10 s of game time

int64_t clockCount = 100 * kFrequency;
int64_t FixedClock() {
    return clockCount;
}

// Microseconds of each game step.
std::vector<double> Measure(int steps) {
    std::vector<double> micros;
    micros.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        clockCount += kStep;
        bench::KeepEveryoneAtWork();
        auto start = std::chrono::steady_clock::now();
        Idle();
        auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return micros;
}

void Report(const char* what, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / micros.size();
    std::printf("%-34s median %7.1f us   p99 %7.1f us   max %7.1f us   mean %7.1f us\n", what,
                micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back(), mean);
    std::printf("%-34s %zu enemies, %zu projectiles at the end\n", "", enemies.size(),
                projectiles.size());
}

}  // namespace

int main(int argc, char** argv) {
    InstallPerformanceClock(kFrequency, FixedClock);
    GameStart(argc > 0 ? 1 : 0, argv);
    std::printf("\nenemy-bench: one game step (no drawing) at 1/60 s, %d steps after %d\n", kSteps,
                kWarmUpSteps);
    bench::SetEveryoneToWork();
    Measure(kWarmUpSteps);
    Report("the level's enemies, all tracking:", Measure(kSteps));

    bench::ReplaceEnemiesWithForty();
    Measure(kWarmUpSteps);
    Report("40 enemies around the ball:", Measure(kSteps));
    Keyboard(27, 0, 0);  // Escape: the game's own exit path
}
