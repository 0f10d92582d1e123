// The game under load, for the benchmarks that start the real game: enemies that never die,
// projectiles in flight and a full particle system around the ball. Built from the game's own
// classes by the benchmark, never by the game.
#pragma once

namespace bench {

// The level's enemies, set to hunt the ball as if it had come near each.
void SetEveryoneToWork();
// Called before every step: no enemy dies and the ball keeps its health, so the load stays.
void KeepEveryoneAtWork();
// The level's enemies give way to 40, ten of each kind, around the spawn point, all at work.
void ReplaceEnemiesWithForty();

// The full load: forty enemies at work, `projectiles` bullets in flight and the particle system
// full. `KeepUp` tops the projectiles and particles up before each step.
class Stress {
public:
    explicit Stress(int projectiles = 100) : projectiles_(projectiles) {}
    void Start();
    void KeepUp();

private:
    int projectiles_;
    int launched_ = 0;
};

}  // namespace bench
