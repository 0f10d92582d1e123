// The four cube enemies. Each faces +Z (they turn their +Z towards the avatar) and is centred on
// its origin, except the cannon's plate, which stands on y = 0 with the gun turret 0.5 above it.
#include "materials.h"
#include "models.h"
#include "shapes.h"

namespace {

const Transform kAlongZ = Transform::RotateX(kPi / 2);
const Transform kAlongX = Transform::RotateZ(-kPi / 2);

// Two glowing eyes on the front face (z = front), `apart` between their centres.
void Eyes(Mesh& mesh, float front, float apart, float y, Vec3 size) {
    mesh.use(look::kEyes);
    for (float side : {-0.5f, 0.5f}) {
        Vec3 centre{side * apart, y, front};
        AddBox(mesh, {}, centre - Vec3{size.x / 2, size.y / 2, 0.01f},
               centre + Vec3{size.x / 2, size.y / 2, size.z});
    }
}

// A cube of half edge h, skinned once per face.
void CubeBody(Mesh& mesh, const MaterialLook& skin, float h) {
    mesh.use(skin);
    AddBox(mesh, {}, {-h, -h, -h}, {h, h, h});
}

void CannonPlate(Mesh& mesh) {
    mesh.use(look::kMetalPanel);
    AddFrustum(mesh, {}, 0.5f, 0.42f, 0.0f, 0.16f, 32, 0.5f);
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, {}, 0.3f, 0.3f, 0.15f, 0.2f, 32);
}

// Few sides: the gun turns just above it, and every side of either hull costs the physics layer's
// hull-against-hull test in each step the gun moves.
void CannonPlateHull(Mesh& mesh) {
    mesh.use(look::kHull);
    AddFrustum(mesh, {}, 0.5f, 0.42f, 0.0f, 0.2f, 8);
}

// A 0.56 turret with its barrel ending at 0.85, short of the muzzle point 1.0 ahead. The gun is
// also its own collision hull, so the barrel has few sides.
void CannonGun(Mesh& mesh) {
    CubeBody(mesh, look::kCannonSkin, 0.28f);
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, kAlongZ, 0.06f, 0.06f, 0.27f, 0.8f, 8);
    AddFrustum(mesh, kAlongZ, 0.075f, 0.075f, 0.76f, 0.85f, 8);
    mesh.use(look::kMouth);
    AddFrustum(mesh, kAlongZ, 0.045f, 0.045f, 0.85f, 0.852f, 8);
    Eyes(mesh, 0.28f, 0.24f, 0.13f, {0.09f, 0.05f, 0.02f});
}

// The volume in which all four enemy kinds notice the avatar: 14 across.
void EnemyTrigger(Mesh& mesh) {
    mesh.use(look::kTrigger);
    AddBox(mesh, {}, {-7, -7, -7}, {7, 7, 7});
}

// A drum 0.6 across that rolls about its x axis; also its own collision hull, so 16 sides.
void BombWheel(Mesh& mesh) {
    mesh.use(look::kBombSkin);
    AddFrustum(mesh, kAlongX, 0.3f, 0.3f, -0.2f, 0.2f, 16, 0.5f);
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, kAlongX, 0.12f, 0.12f, 0.19f, 0.23f, 20);
    AddFrustum(mesh, kAlongX, 0.12f, 0.12f, -0.23f, -0.19f, 20);
}

// Two staggered rows of spikes round the drum; drawn with the wheel's pose, so they roll with it.
void BombSpikes(Mesh& mesh) {
    mesh.use(look::kSpikes);
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 8; ++i) {
            float a = 2 * kPi * (i + 0.5f * row) / 8;
            Transform spoke = Transform::At({row ? 0.1f : -0.1f, 0, 0}) * Transform::RotateX(a);
            AddFrustum(mesh, spoke, 0.045f, 0.0f, 0.27f, 0.42f, 10);
        }
}

void FlyBody(Mesh& mesh) {
    CubeBody(mesh, look::kFlySkin, 0.28f);
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, kAlongZ, 0.03f, 0.03f, 0.27f, 0.45f, 12);
    Eyes(mesh, 0.28f, 0.26f, 0.12f, {0.1f, 0.06f, 0.02f});
}

// A pair of wings hinged at the body's upper side edges, raised by `angle` radians.
void FlyWings(Mesh& mesh, float angle) {
    mesh.use(look::kWings);
    for (float side : {-1.0f, 1.0f}) {
        Transform hinge =
            Transform::At({side * 0.28f, 0.16f, 0}) * Transform::RotateZ(side * angle);
        float x0 = side > 0 ? 0 : -0.45f;
        AddBox(mesh, hinge, {x0, -0.01f, -0.12f}, {x0 + 0.45f, 0.01f, 0.13f});
    }
}

// A heavy 0.8 block with an angry face.
void JumpingBlock(Mesh& mesh) {
    CubeBody(mesh, look::kBlockSkin, 0.4f);
    Eyes(mesh, 0.4f, 0.32f, 0.12f, {0.12f, 0.07f, 0.02f});
    mesh.use(look::kMouth);
    for (float side : {-1.0f, 1.0f})  // brows slanting down to the middle
        AddBox(mesh, Transform::At({side * 0.16f, 0.22f, 0.4f}) * Transform::RotateZ(side * 0.3f),
               {-0.09f, -0.02f, -0.01f}, {0.09f, 0.02f, 0.02f});
    AddBox(mesh, {}, {-0.2f, -0.2f, 0.39f}, {0.2f, -0.13f, 0.41f});
}

}  // namespace

const std::vector<ModelAsset>& EnemyModels() {
    static const std::vector<ModelAsset> models = {
        {"cube_cannon_plate", CannonPlate},
        {"cube_cannon_plateCO", CannonPlateHull},
        {"cube_cannon_gun", CannonGun},
        {"cube_cannon_trigger", EnemyTrigger},
        {"cube_moving_bomb_wheel", BombWheel},
        {"cube_moving_bomb_rest", BombSpikes},
        {"cubefly_body", FlyBody},
        {"cubefly_wings_up", [](Mesh& m) { FlyWings(m, 0.5f); }},
        {"cubefly_wings_down", [](Mesh& m) { FlyWings(m, -0.4f); }},
        {"cubejumpingblock", JumpingBlock},
    };
    return models;
}
