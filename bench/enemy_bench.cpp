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
#include "enemies/cube_cannon.h"
#include "enemies/cube_fly.h"
#include "enemies/cube_jumping_block.h"
#include "enemies/cube_moving_bomb.h"
#include "physics/physics_world.h"
#include "platform/perf_counter.h"
#include "player/avatar.h"

namespace {

constexpr int64_t kFrequency = 1000000000;  // the fixed clock counts nanoseconds
constexpr int64_t kStep = kFrequency / 60;
constexpr int kWarmUpSteps = 60;
constexpr int kSteps = 600;  // 10 s of game time
constexpr float kPi = 3.14159265358979f;

int64_t clockCount = 100 * kFrequency;
int64_t FixedClock() {
    return clockCount;
}

// Every enemy hunts the ball, as after the ball has come near each: cannons and bombs are
// active, flies and blocks alerted (they drop their triggers once they see the ball).
void SetEveryoneToWork() {
    for (zvEnemy* e : enemies) {
        e->target = avatar;
        e->health = 1000000;
        e->state = e->kind == 2 || e->kind == 3 ? ENEMY_ALERTED : ENEMY_ACTIVE;
    }
}

// No damage kills them: the bench measures enemies at work, not their deaths (a bomb that touches
// the ball still goes off). The ball never loses a life, so the game never pauses.
void KeepEveryoneAtWork() {
    for (zvEnemy* e : enemies)
        if (e->state == ENEMY_DYING)
            e->state = e->trigger && (e->kind == 2 || e->kind == 3) ? ENEMY_ALERTED : ENEMY_ACTIVE;
    avatar->health = avatar->maxHealth;
}

// Microseconds of each game step.
std::vector<double> Measure(int steps) {
    std::vector<double> micros;
    micros.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        clockCount += kStep;
        KeepEveryoneAtWork();
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

void RemoveTheLevelsEnemies() {
    for (zvEnemy* e : enemies) {
        objects.erase(std::find(objects.begin(), objects.end(), e));
        e->release();
        delete e;
    }
    enemies.clear();
}

template <class Kind>
void AddAround(int i, int count, float radius, float height) {
    float angle = 2 * kPi * (i + 0.5f) / count;
    auto* enemy = new Kind(physicsScene);
    enemy->setPose(NxVec3(radius * std::sin(angle), height, radius * std::cos(angle)),
                   NxVec3(0, angle + kPi, 0));
    objects.push_back(enemy);
    enemies.push_back(enemy);
}

}  // namespace

int main(int argc, char** argv) {
    InstallPerformanceClock(kFrequency, FixedClock);
    GameStart(argc > 0 ? 1 : 0, argv);
    std::printf("\nenemy-bench: one game step (no drawing) at 1/60 s, %d steps after %d\n", kSteps,
                kWarmUpSteps);
    SetEveryoneToWork();
    Measure(kWarmUpSteps);
    Report("the level's enemies, all tracking:", Measure(kSteps));

    RemoveTheLevelsEnemies();
    for (int i = 0; i < 10; ++i) {
        AddAround<CubeCannon>(i, 10, 6.0f, 0.0f);
        AddAround<CubeMovingBomb>(i, 10, 4.5f, 0.3f);
        AddAround<CubeFly>(i, 10, 5.0f, 1.5f);
        AddAround<CubeJumpingBlock>(i, 10, 3.0f, 0.4f);
    }
    SetEveryoneToWork();
    Measure(kWarmUpSteps);
    Report("40 enemies around the ball:", Measure(kSteps));
    Keyboard(27, 0, 0);  // Escape: the game's own exit path
}
