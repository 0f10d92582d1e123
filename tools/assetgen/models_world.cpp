// Rings, doors, pickup items and the spawn pedestal. Trigger volumes are plain boxes: they are
// cooked into convex hulls and never drawn.
#include "materials.h"
#include "models.h"
#include "shapes.h"

namespace {

// The ring stands upright in the xy plane around its origin; its opening is 0.8 across, so the
// 0.4 ball passes through both trigger halves at once.
constexpr float kRingMajor = 0.48f, kRingTube = 0.08f;
constexpr float kRingTriggerHalfWidth = 0.3f, kRingTriggerHeight = 0.36f, kRingTriggerDepth = 0.1f;

void Ring(Mesh& mesh) {
    mesh.use(look::kGold);
    AddTorus(mesh, {}, kRingMajor, kRingTube, 48, 16);
}

void RingTrigger(Mesh& mesh, float y0, float y1) {
    mesh.use(look::kTrigger);
    AddBox(mesh, {}, {-kRingTriggerHalfWidth, y0, -kRingTriggerDepth},
           {kRingTriggerHalfWidth, y1, kRingTriggerDepth});
}

// The door stands in the xy plane, its bottom on y = 0, closing a passage 1.2 wide and 1.2 high.
// It slides up by 1.0 into the housing above the passage, clearing the ball.
constexpr float kPassageHalfWidth = 0.6f, kPassageHeight = 1.2f;
constexpr float kFrameWidth = 0.2f, kFrameTop = 2.35f, kFrameHalfDepth = 0.15f;

void Door(Mesh& mesh) {
    mesh.use(look::kDoor);
    AddBox(mesh, {}, {-kPassageHalfWidth + 0.01f, 0, -0.05f},
           {kPassageHalfWidth - 0.01f, kPassageHeight + 0.05f, 0.05f});
}

// Two posts beside the passage and the housing across its top.
void DoorFrame(Mesh& mesh) {
    mesh.use(look::kMetalPanel);
    const float outer = kPassageHalfWidth + kFrameWidth;
    for (float side : {-1.0f, 1.0f}) {
        float x0 = side * kPassageHalfWidth, x1 = side * outer;
        AddBox(mesh, {}, {std::min(x0, x1), 0, -kFrameHalfDepth},
               {std::max(x0, x1), kPassageHeight, kFrameHalfDepth}, 1.0f);
    }
    // The housing overhangs the posts a little, so the parts never share an edge.
    const float overhang = 0.02f;
    AddBox(mesh, {}, {-outer - overhang, kPassageHeight, -kFrameHalfDepth - overhang},
           {outer + overhang, kFrameTop, kFrameHalfDepth + overhang}, 1.0f);
}

// Reaches about 1 in front of and behind the door.
void DoorTrigger(Mesh& mesh) {
    mesh.use(look::kTrigger);
    AddBox(mesh, {}, {-0.8f, 0, -1.0f}, {0.8f, 1.5f, 1.0f});
}

void HealthItem(Mesh& mesh) {
    mesh.use(look::kHealthLabel);
    AddBox(mesh, {}, {-0.12f, -0.12f, -0.12f}, {0.12f, 0.12f, 0.12f});
}

void AmmoItem(Mesh& mesh) {
    mesh.use(look::kAmmoLabel);
    AddBox(mesh, {}, {-0.13f, -0.1f, -0.1f}, {0.13f, 0.1f, 0.1f});
}

// A glowing crystal in a golden ring; also the marker the avatar draws at its respawn point.
void RespawnItem(Mesh& mesh) {
    mesh.use(look::kCrystal);
    AddOctahedron(mesh, {}, {0.08f, 0.13f, 0.08f});
    mesh.use(look::kGold);
    AddTorus(mesh, Transform::RotateX(kPi / 2), 0.11f, 0.015f, 24, 8);
}

// The low pedestal the level loader puts at the world origin, where the avatar starts.
void SpawnPedestal(Mesh& mesh) {
    mesh.use(look::kTreadPlate);
    AddBox(mesh, {}, {-0.6f, 0, -0.6f}, {0.6f, 0.3f, 0.6f}, 1.2f);
}

}  // namespace

const std::vector<ModelAsset>& WorldModels() {
    static const std::vector<ModelAsset> models = {
        {"ring", Ring},
        {"ring_upperTrigger", [](Mesh& m) { RingTrigger(m, 0, kRingTriggerHeight); }},
        {"ring_lowerTrigger", [](Mesh& m) { RingTrigger(m, -kRingTriggerHeight, 0); }},
        {"zvdoor", Door},
        {"zvdoor_frame", DoorFrame},
        {"zvdoor_trigger", DoorTrigger},
        {"health_item", HealthItem},
        {"ammo_item", AmmoItem},
        {"respawn_item", RespawnItem},
        {"box", SpawnPedestal},
    };
    return models;
}
