// The avatar's models and the projectiles. The ball and its mask, guns and markers are drawn on
// the ball's matrices; the projectiles' sizes give their launch speeds: with density 1 a push F
// for one 1/60 s step gives v = F / (60 x volume).
#include "materials.h"
#include "models.h"
#include "shapes.h"

namespace {

// Turns a part built along +y so that it runs along +z.
const Transform kAlongZ = Transform::RotateX(kPi / 2);

// The guns are drawn with the ball's aim matrix, whose origin is the ball's centre, so each one
// hangs at its muzzle's side: 1.5 ball radii to the left (+x) or the right (-x).
const Transform kLeftMount = Transform::At({0.3f, 0, 0});
const Transform kRightMount = Transform::At({-0.3f, 0, 0});

void AvatarBall(Mesh& mesh) {
    mesh.use(look::kBall);
    AddEllipsoid(mesh, {}, {0.2f, 0.2f, 0.2f}, 32, 16);
}

// A visor just outside the ball, facing +Z along the aim, with two glowing eye lenses.
void Mask(Mesh& mesh) {
    mesh.use(look::kVisor);
    AddSpherePlate(mesh, {}, 0.225f, 0.02f, 0.75f, -0.2f, 0.45f, 20, 8);
    mesh.use(look::kVisorEyes);
    for (float side : {-1.0f, 1.0f}) {
        float around = 0.28f * side, up = 0.16f;
        Vec3 d{std::sin(around) * std::cos(up), std::sin(up), std::cos(around) * std::cos(up)};
        AddEllipsoid(mesh, Transform::Facing(d * 0.236f, d), {0.035f, 0.02f, 0.008f}, 12, 6);
    }
}

// The ball's skeleton for continuous collision: small, closed and convex, well inside r 0.2.
void BallSkeleton(Mesh& mesh) {
    mesh.use(look::kHull);
    AddOctahedron(mesh, {}, {0.15f, 0.15f, 0.15f});
}

// A six-barrelled minigun, 0.25 long, firing along +Z; slim enough to hang beside the ball.
void Minigun(Mesh& mesh) {
    mesh.use(look::kGunmetal);
    AddBox(mesh, kLeftMount, {-0.035f, -0.035f, -0.1f}, {0.035f, 0.035f, 0.02f}, 0.07f);
    for (int i = 0; i < 6; ++i) {
        float a = 2 * kPi * i / 6;
        Vec3 at{0.02f * std::cos(a), 0.02f * std::sin(a), 0};
        AddFrustum(mesh, kLeftMount * Transform::At(at) * kAlongZ, 0.008f, 0.008f, 0.0f, 0.15f, 8);
    }
    AddFrustum(mesh, kLeftMount * kAlongZ, 0.034f, 0.034f, 0.1f, 0.115f, 16);
    AddFrustum(mesh,
               kLeftMount * Transform::At({0, -0.045f, -0.05f}) * Transform::RotateZ(-kPi / 2),
               0.028f, 0.028f, -0.025f, 0.025f, 16);
}

// The rocket launcher: a tube with red bands, a grip and a sight.
void RocketLauncher(Mesh& mesh) {
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, kRightMount * kAlongZ, 0.032f, 0.032f, -0.12f, 0.14f, 20);
    AddBox(mesh, kRightMount, {-0.012f, -0.08f, -0.04f}, {0.012f, -0.03f, -0.005f}, 0.05f);
    AddBox(mesh, kRightMount, {-0.008f, 0.03f, -0.02f}, {0.008f, 0.05f, 0.03f}, 0.05f);
    mesh.use(look::kRocketRed);
    AddFrustum(mesh, kRightMount * kAlongZ, 0.037f, 0.037f, 0.11f, 0.135f, 20);
    AddFrustum(mesh, kRightMount * kAlongZ, 0.037f, 0.037f, -0.115f, -0.095f, 20);
    mesh.use(look::kMouth);
    AddFrustum(mesh, kRightMount * kAlongZ, 0.026f, 0.026f, 0.14f, 0.142f, 20);
}

// The bullet's hull: 0.03 x 0.03 x 0.06, volume 5.4e-5, so a 0.1 push gives about 31 units/s.
void BulletHull(Mesh& mesh) {
    mesh.use(look::kHull);
    AddBox(mesh, {}, {-0.015f, -0.015f, -0.03f}, {0.015f, 0.015f, 0.03f});
}

// The bullet as seen: a glowing tracer of the hull's length.
void Bullet(Mesh& mesh) {
    mesh.use(look::kTracer);
    AddFrustum(mesh, kAlongZ, 0.013f, 0.013f, -0.03f, 0.01f, 10);
    AddFrustum(mesh, kAlongZ, 0.013f, 0.0f, 0.005f, 0.03f, 10);
}

// The rocket: its hull (fins included) holds about 1.1e-3 units^3, so a 1.0 push gives about
// 15 units/s.
void Rocket(Mesh& mesh) {
    mesh.use(look::kRocketBody);
    AddFrustum(mesh, kAlongZ, 0.035f, 0.035f, -0.1f, 0.08f, 16);
    mesh.use(look::kRocketRed);
    AddFrustum(mesh, kAlongZ, 0.035f, 0.0f, 0.075f, 0.15f, 16);
    for (int i = 0; i < 4; ++i)
        AddBox(mesh, Transform::RotateZ(kPi / 2 * i + kPi / 4), {0.02f, -0.004f, -0.1f},
               {0.05f, 0.004f, -0.04f});
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, kAlongZ, 0.03f, 0.025f, -0.12f, -0.1f, 16);
}

// A grenade about 0.1 across (hull about 4.5e-4: a 0.5 push gives about 18 units/s).
void Grenade(Mesh& mesh) {
    mesh.use(look::kGrenade);
    AddEllipsoid(mesh, {}, {0.045f, 0.05f, 0.045f}, 16, 10);
    mesh.use(look::kGunmetal);
    AddFrustum(mesh, {}, 0.018f, 0.018f, 0.04f, 0.065f, 12);
    AddBox(mesh, {}, {-0.006f, 0.02f, 0.02f}, {0.006f, 0.06f, 0.03f});
}

}  // namespace

const std::vector<ModelAsset>& PlayerModels() {
    static const std::vector<ModelAsset> models = {
        {"avatar_ball", AvatarBall},
        {"mask01", Mask},
        {"ccd2", BallSkeleton},
        {"minigun_left", Minigun},
        {"grenadegun_right", RocketLauncher},
        {"bullet", Bullet},
        {"bullet_CO", BulletHull},
        {"rocket", Rocket},
        {"grenade", Grenade},
    };
    return models;
}
