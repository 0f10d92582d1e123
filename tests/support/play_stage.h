// Scripted play for the player's scenarios: a private stage whose window is small (quick to draw
// under a software renderer) and whose level may be one of the test's own, run by zorvan-run with
// a fixed step.
#pragma once

#include <string>
#include <vector>

#include "support/json.h"
#include "support/stage.h"

// The rotation part of a placement matrix (its first twelve numbers) that leaves a piece as it is.
constexpr const char* kUpright = "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0";

// One piece of a test level at (x, y, z), static unless it has a density, colliding as its own
// model unless `physicModel` names another, turned by `axes`.
struct LevelPiece {
    const char* model;
    float x, y, z;
    float density = 0;
    const char* physicModel = nullptr;
    const char* axes = kUpright;
};

// One enemy of a test level: 0 cube cannon, 1 moving bomb, 2 fly, 3 jumping block, standing at
// (x, y, z) and turned by `heading` about +Y (0 looks along +Z, pi/2 along +X).
struct EnemyPiece {
    int kind;
    float x, y, z;
    float heading = 0;
};

// A level file with these pieces and enemies and nothing else; the loader adds the spawn pedestal
// (top at y 0.3) at the origin, where the ball drops in.
std::string LevelWith(const std::vector<LevelPiece>& pieces,
                      const std::vector<EnemyPiece>& enemies = {});
// Ground whose top lies flush with the pedestal's, so the ball rolls off it without a step.
const LevelPiece kFlushGround = {"level_ground_66x200", 0, 0.3f, 0};
// Ground whose top is at y 0, 0.3 below the pedestal's: a ball on the pedestal has its centre at
// the height of a cannon's gun or a moving bomb's axle standing there.
const LevelPiece kLowGround = {"level_ground_66x200", 0, 0, 0};

// A ring or a door of a test level: its position and rotation. Rings stand upright with their
// opening towards +Z, doors close a passage along Z, unless turned.
struct Placement {
    float x, y, z;
    const char* axes = kUpright;
};
constexpr const char* kLyingFlat = "1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0";  // opening upwards
constexpr const char* kFacingX = "0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0";    // passage along X
// A level from LevelWith with these rings and doors added.
std::string WithRingsAndDoors(const std::string& level, const std::vector<Placement>& rings,
                              const std::vector<Placement>& doors);

// One line of the runner's sound log.
struct SoundLine {
    int frame;
    std::string event;
    double pos[3];
};

// The frames in which `event` was heard, in order.
std::vector<int> FramesOf(const std::vector<SoundLine>& sounds, const std::string& event);

// A run's sound log against its trace: every bullet and rocket the ball fires is heard at its
// muzzle in the frame its ammunition drops, every rocket bursts once after it left, every ring
// chimes where it stands when the count goes up, the door grinds as it starts to rise, every
// destroyed enemy is heard to die, and the rolling starts before it stops.
void ExpectHeardAsSeen(const std::vector<Json>& trace, const std::vector<SoundLine>& sounds);

class PlayStage {
public:
    // An empty `level` keeps the game's own level.
    explicit PlayStage(const std::string& level = "", int width = 160, int height = 120);
    // Plays the script with a step of `dt` seconds (such as "1/60") and returns the trace text.
    std::string play(const std::string& script, const std::string& dt = "1/60");
    // The same, parsed: one entry per frame.
    std::vector<Json> trace(const std::string& script, const std::string& dt = "1/60");
    // Console output of the last run.
    const std::string& output() const { return output_; }
    // The sound events of the last run.
    const std::vector<SoundLine>& sounds() const { return sounds_; }

private:
    Stage stage_;
    std::string output_;
    std::vector<SoundLine> sounds_;
};

// A demo script for the game's 1024 x 768 window, turned into one for the stage's small window:
// the same pointer offsets from the window's centre steer the same way.
std::string ForTheSmallWindow(const std::string& script);

// How often `line` occurs in `text`.
size_t Count(const std::string& text, const std::string& line);
// Fails unless each of the lines occurs in `text`, after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines);

// Readers of the avatar's fields in one trace frame: a number, or item i of a list such as
// "pos", "vel", "ammo" or "respawnPoint".
double AvatarNumber(const Json& frame, const char* field);
double AvatarItem(const Json& frame, const char* field, int i);
// Readers of enemy n in one trace frame: a number such as "yaw" or "health", or item i of a list
// such as "pos" or "vel".
double EnemyNumber(const Json& frame, size_t n, const char* field);
double EnemyItem(const Json& frame, size_t n, const char* field, int i);
