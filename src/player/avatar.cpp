#include "player/avatar.h"

#include <cmath>
#include <cstdio>

#include "core/globals.h"
#include "physics/actor_holder.h"
#include "player/explosion.h"
#include "player/weapon.h"
#include "render/model.h"
#include "render/particles.h"
#include "render/texture.h"
#include "objects/interaction_object.h"
#include "objects/model_object.h"
#include "sound/sound.h"

namespace {

// Units as on the avatar's fields: world units, radians, seconds and the scene's forces.
constexpr float kPi = 3.14159265358979f;
constexpr float kProbeRange = 300.0f;
constexpr float kAimRange = 3000.0f;
constexpr float kFallLimit = -10.0f;  // height below which the ball is lost
constexpr float kMaxPitch = 1.57f;
// The ball's body: velocities decay as exp(-damping x seconds); the sleep threshold is a
// kinetic energy per unit mass, (world units per second) squared.
constexpr float kLinearDamping = 2.0f;
constexpr float kAngularDamping = 10.0f;
constexpr float kSleepEnergy = 40.0f;
// The boost acts while the ball's vertical velocity stays above this, in world units per second:
// while it rises or falls slowly.
constexpr float kBoostFallSpeed = -0.2f;
// A wall kick: a push away from the wall and a lift, both forces. A contact whose unit normal has
// a y within +-kWallTolerance is a wall.
constexpr float kWallPush = 30.0f;
constexpr float kWallLift = 20.0f;
constexpr float kWallTolerance = 0.1f;
// How far above a respawn point the ball reappears, and above the ball a point is set.
constexpr float kRespawnLift = 0.3f;

// Closest shape along a ray over the game's group 1 (projectiles and triggers are left out).
NxShape* CastRay(NxScene& scene, const NxVec3& from, const NxVec3& direction, float range,
                 NxRaycastHit& hit) {
    return scene.raycastClosestShape(NxRay(from, direction), NX_ALL_SHAPES, hit, 1, range);
}

// Where the ball loses a life: a burst that grows to twice its size in its one second.
void AddBurst(const NxVec3& p) {
    particles->AddParticle(
        {.position = p, .size = 1.0f, .growth = 1.0f, .type = kLifeLostParticle, .life = 1.0f});
}

}  // namespace

Avatar::Avatar()
    : maskModel(GetModelByName("mask01")),
      respawnMarkerModel(GetModelByName("respawn_item")),
      // Every 0.2 s, 100 of at most 100 rounds; every second, 10 of at most 10 rockets.
      leftWeapon(new Minigun("minigun_left", 0.2f, 100, 100)),
      rightWeapon(new Rocketlauncher("grenadegun_right", 1.0f, 10, 10)),
      ballModel(GetModelByName("avatar_ball")),
      streaksTexture(LoadTexture("textures\\streaks.jpg", useBilinear, useMipmaps)) {
    type = OBJECT_TYPE_AVATAR;
}

Avatar::~Avatar() {
    delete leftWeapon;
    delete rightWeapon;
}

void Avatar::createActor(NxScene* scene) {
    NxBodyDesc bodyDesc;
    bodyDesc.sleepEnergyThreshold = kSleepEnergy;
    NxSphereShapeDesc sphereDesc;
    sphereDesc.radius = radius;
    sphereDesc.materialIndex = 1;  // the first material the physics world creates
    NxActorDesc actorDesc;
    actorDesc.body = &bodyDesc;
    actorDesc.shapes.pushBack(&sphereDesc);
    actorDesc.density = 1.0f;
    actor = scene->createActor(actorDesc);
    actor->setLinearDamping(kLinearDamping);
    actor->setAngularDamping(kAngularDamping);
    actor->userData = this;
    setPose(position, NxVec3(0, 0, 0));
    actor->getShapes()[0]->setCCDSkeleton(buildCCDSkeleton(scene, GetModelByName("ccd2")));
    respawnPoint = actor->getGlobalPosition() + NxVec3(0, 1.0f, 0);  // the first: 1 unit up
}

void Avatar::setPose(const NxVec3& p, const NxVec3& angles) {
    actor->setGlobalPosition(p);
    NxMat33 orientation;
    orientation.rotZ(angles.z);
    actor->setGlobalOrientation(orientation);
    respawnPoint = actor->getGlobalPosition() + NxVec3(0, kRespawnLift, 0);
}

void Avatar::probeGround() {
    position = actor->getGlobalPosition();
    // From a point just behind the ball at its centre height, straight down.
    NxVec3 from(position.x - std::sin(yaw) * radius * 1.1f, position.y,
                position.z - std::cos(yaw) * radius * 1.1f);
    NxRaycastHit hit;
    if (CastRay(actor->getScene(), from, NxVec3(0, -1, 0), kProbeRange, hit) != nullptr)
        groundDistance = hit.distance;
    else
        groundDistance = kProbeRange;  // nothing below within reach: in the air
}

void Avatar::aim(const NxVec3& from, NxVec3& aimPoint, bool& onEnemy) {
    float m[16];
    getAimMatrix(m);
    NxVec3 direction(m[8], m[9], m[10]);
    direction.normalize();
    NxRaycastHit hit;
    NxShape* shape = CastRay(actor->getScene(), from, direction, kAimRange, hit);
    if (shape == nullptr) return;
    aimPoint = hit.worldImpact;
    auto* owner = static_cast<Object*>(shape->getActor().userData);
    onEnemy = owner != nullptr && owner->type == OBJECT_TYPE_ENEMY;
}

bool Avatar::update() {
    float m[16];
    getLeftMountMatrix(m);
    aim(NxVec3(m[12], m[13], m[14]), leftAimPoint, leftOnEnemy);
    getRightMountMatrix(m);
    aim(NxVec3(m[12], m[13], m[14]), rightAimPoint, rightOnEnemy);

    if (actor->getGlobalPosition().y < kFallLimit) health = 0;
    if (health != 0) return true;
    if (--lives <= 0) {
        alive = false;
        PlaySoundEvent(SoundEvent::GameOver, actor->getGlobalPosition());
        explode(1.0f, 0.0f, actor->getGlobalPosition());
        std::printf("DEAD\n");
        return false;
    }
    loseLife();
    return true;
}

// Respawn: a burst where the ball was, full health, some ammunition, the ball back 0.3 above the
// respawn point (which moves up with it) and a burst there.
void Avatar::loseLife() {
    PlaySoundEvent(SoundEvent::LifeLost, actor->getGlobalPosition());
    AddBurst(actor->getGlobalPosition());
    health = 100;
    addAmmo(50);
    setPose(respawnPoint + NxVec3(0, kRespawnLift, 0), NxVec3(pitch, yaw, 0));
    AddBurst(actor->getGlobalPosition());
    PlaySoundEvent(SoundEvent::Respawn, actor->getGlobalPosition());
}

void Avatar::force(const NxVec3& f) {
    actor->addForce(f, NX_FORCE, true);
}

void Avatar::moveForward(float factor) {
    if (!alive) return;
    float k = factor * (inAir() ? airForce : groundForce);
    force(NxVec3(std::sin(yaw) * k, 0, std::cos(yaw) * k));
}

void Avatar::moveSideways(float factor) {
    if (!alive) return;
    float k = factor * (inAir() ? airForce : groundForce);
    force(NxVec3(std::cos(yaw) * k, 0, -std::sin(yaw) * k));
}

void Avatar::jump(double dt) {
    if (!alive || !(actor->getLinearVelocity().y > kBoostFallSpeed)) return;
    if (jumpTime + dt < jumpDuration) {
        if (jumpTime == 0) PlaySoundEvent(SoundEvent::Boost, actor->getGlobalPosition());
        force(NxVec3(0, jumpForce, 0));
        jumpTime += static_cast<float>(dt);
    } else {
        force(NxVec3(0, (jumpDuration - jumpTime) * jumpForce / jumpDuration, 0));
    }
}

void Avatar::releaseJump() {
    if (alive && actor->getLinearVelocity().y <= 0) jumpTime = 0;
}

void Avatar::addPitch(float delta) {
    pitch -= delta;
    if (pitch > kMaxPitch) pitch = kMaxPitch;
    if (pitch < -kMaxPitch) pitch = -kMaxPitch;
}

void Avatar::fireLeft(double time) {
    if (!alive || leftWeapon == nullptr) return;
    float mount[16];
    getLeftMountMatrix(mount);
    leftWeapon->fire(&actor->getScene(), time, mount);
}

void Avatar::fireRight(double time) {
    if (!alive || rightWeapon == nullptr) return;
    float mount[16];
    getRightMountMatrix(mount);
    rightWeapon->fire(&actor->getScene(), time, mount);
}

void Avatar::interact() {
    if (alive && interactionTarget != nullptr) interactionTarget->interact(this);
}

void Avatar::setRespawnPoint() {
    if (respawnItems == 0) return;
    --respawnItems;
    respawnPoint = actor->getGlobalPosition() + NxVec3(0, kRespawnLift, 0);
}

void Avatar::onWallContact(NxVec3 normal) {
    if (!alive || !wallJumpArmed) return;
    normal.normalize();
    if (!(-kWallTolerance < normal.y && normal.y < kWallTolerance)) return;
    force(normal * kWallPush);
    force(NxVec3(0, kWallLift, 0));
    yaw += kPi;
    PlaySoundEvent(SoundEvent::WallJump, actor->getGlobalPosition());
}

void Avatar::onContact(Object* other) {
    if (other->type == OBJECT_TYPE_PROJECTILE) takeDamage(10);
}

void Avatar::takeDamage(int32_t amount) {
    if (amount > 0) PlaySoundEvent(SoundEvent::Hurt, actor->getGlobalPosition());
    if (health - amount < 1) {
        health = 0;
        std::printf("The Avatar is DEAD \n\n");
    } else {
        health -= amount;
    }
}

void Avatar::addHealth(int32_t amount) {
    health = health + amount < maxHealth ? health + amount : maxHealth;
}

void Avatar::addAmmo(int32_t amount) {
    if (leftWeapon != nullptr) leftWeapon->addAmmo(amount);
    if (rightWeapon != nullptr) rightWeapon->addAmmo(amount);
}

void Avatar::getAimMatrix(float m[16]) const {
    float cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    const float aim[16] = {cy,      0,   -sy,     0, sy * sp,    cp,         cy * sp,    0,
                           sy * cp, -sp, cy * cp, 0, position.x, position.y, position.z, 1};
    for (int i = 0; i < 16; ++i) m[i] = aim[i];
}

// The aim rotation at the muzzle on one side: +1 left, -1 right of the ball.
void Avatar::mountMatrix(float side, float m[16]) const {
    getAimMatrix(m);
    float offset = side * 1.5f * radius;
    m[12] += std::cos(yaw) * offset;
    m[14] += -std::sin(yaw) * offset;
}

void Avatar::getLeftMountMatrix(float m[16]) const {
    mountMatrix(1.0f, m);
}
void Avatar::getRightMountMatrix(float m[16]) const {
    mountMatrix(-1.0f, m);
}

void Avatar::draw() {
    float m[16];
    getAimMatrix(m);
    maskModel->Render(m);
    if (leftWeapon != nullptr) leftWeapon->draw(m);
    if (rightWeapon != nullptr) rightWeapon->draw(m);
    const float marker[16] = {
        1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, respawnPoint.x, respawnPoint.y, respawnPoint.z, 1};
    respawnMarkerModel->Render(marker);
    actor->getGlobalPose().getColumnMajor44(m);
    ballModel->Render(m);
}

void Avatar::reloadTexture(bool bilinear, bool mipmap) {
    DeleteTexture(streaksTexture);
    streaksTexture = LoadTexture("textures\\streaks.jpg", bilinear, mipmap);
}
