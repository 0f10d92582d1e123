#include "reference_scene.h"

#include <cmath>

namespace bench {

namespace {

constexpr int kCells = 100;  // 100 x 100 quads = 20,000 triangles
constexpr float kLevelSize = 200.0f;

// Gentle rolling ground, so that the triangles meet at slight angles as in a real level.
float GroundHeight(float x, float z) {
    return 1.5f * std::sin(x * 0.05f) * std::cos(z * 0.07f);
}

}  // namespace

ReferenceScene MakeReferenceScene() {
    ReferenceScene scene;
    float cell = kLevelSize / kCells;
    for (int z = 0; z <= kCells; ++z) {
        for (int x = 0; x <= kCells; ++x) {
            float px = -kLevelSize / 2 + x * cell, pz = -kLevelSize / 2 + z * cell;
            scene.level.vertices.emplace_back(px, GroundHeight(px, pz), pz);
        }
    }
    auto at = [](int x, int z) { return static_cast<NxU32>(z * (kCells + 1) + x); };
    for (int z = 0; z < kCells; ++z) {
        for (int x = 0; x < kCells; ++x) {
            scene.level.addTriangle(at(x, z), at(x, z + 1), at(x + 1, z));
            scene.level.addTriangle(at(x + 1, z), at(x, z + 1), at(x + 1, z + 1));
        }
    }
    scene.avatarStart = NxVec3(0, GroundHeight(0, 0) + kAvatarRadius + 0.05f, 0);
    for (int i = 0; i < kBoxes; ++i) {
        float x = -15.0f + 5.0f * (i % 6), z = -10.0f + 5.0f * (i / 6);
        scene.boxStarts.emplace_back(x, GroundHeight(x, z) + 1.0f + 0.1f * i, z);
    }
    for (int i = 0; i < kTriggers; ++i) {
        float x = -40.0f + 20.0f * (i % 5), z = -30.0f + 20.0f * (i / 5);
        scene.triggerPositions.emplace_back(x, GroundHeight(x, z) + kTriggerHalf, z);
    }
    return scene;
}

Launch ReferenceScene::launch(int index, int round) const {
    // From a ring of radius 30 at 4 units above the ground, inwards and a little down.
    float angle = 2.0f * 3.14159265f * (index + 0.37f * round) / kProjectiles;
    NxVec3 position(30.0f * std::cos(angle), 0, 30.0f * std::sin(angle));
    position.y = GroundHeight(position.x, position.z) + 4.0f;
    NxVec3 direction(-position.x, -6.0f, -position.z);
    direction.normalize();
    return {position, direction};
}

NxVec3 ReferenceScene::avatarPush(int frame) {
    float heading = frame * 0.02f;
    return NxVec3(std::sin(heading), 0, std::cos(heading)) * kAvatarForce;
}

std::vector<NxVec3> BoxCorners(float halfX, float halfY, float halfZ) {
    std::vector<NxVec3> corners;
    for (int i = 0; i < 8; ++i)
        corners.emplace_back(i & 1 ? halfX : -halfX, i & 2 ? halfY : -halfY,
                             i & 4 ? halfZ : -halfZ);
    return corners;
}

}  // namespace bench
