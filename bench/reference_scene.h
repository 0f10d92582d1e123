// The benchmark's reference scene, described once and built twice: through the physics layer
// and directly on the engine. A 20,000-triangle level, the avatar ball rolling under a held
// force, 30 dynamic boxes, 100 small fast projectiles with CCD relaunched every 2 s, 20
// triggers and the 4 world-bound planes.
#pragma once

#include <vector>

#include "NxVec3.h"
#include "triangle_list.h"

namespace bench {

constexpr int kBoxes = 30;
constexpr int kProjectiles = 100;
constexpr int kTriggers = 20;
constexpr int kRelaunchFrames = 120;  // every 2 s at 60 frames per second
constexpr float kStep = 1.0f / 60.0f;
constexpr float kGravity = -98.0f;

constexpr float kAvatarRadius = 0.2f;
constexpr float kAvatarForce = 3.0f;
constexpr float kBoxHalf = 0.25f;
constexpr float kProjectileHalf = 0.025f;  // density 1: mass 0.000125
constexpr float kLaunchForce = 0.45f;      // one sub-step of it: 60 units/s
constexpr float kTriggerHalf = 1.0f;
constexpr float kBoundDistance = 1000.0f;

struct Launch {
    NxVec3 position;
    NxVec3 direction;  // unit length
};

struct ReferenceScene {
    TriangleList level;  // 20,000 triangles
    NxVec3 avatarStart;
    std::vector<NxVec3> boxStarts;
    std::vector<NxVec3> triggerPositions;

    // Where projectile `index` starts in relaunch round `round`, and where it flies.
    Launch launch(int index, int round) const;
    // The direction of the avatar's held force in frame `frame`.
    static NxVec3 avatarPush(int frame);
};

ReferenceScene MakeReferenceScene();

// Corners of an axis-aligned box around the origin.
std::vector<NxVec3> BoxCorners(float halfX, float halfY, float halfZ);

}  // namespace bench
