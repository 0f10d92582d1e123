// The player: a small rigid ball that rolls under forces relative to its heading, boosts upwards
// while jump is held, kicks off walls, carries a minigun (left) and a rocket launcher (right), and
// has health, lives, respawn items and a respawn point.
#pragma once

#include <cstdint>

#include "NxPhysics.h"
#include "core/object.h"

class InteractionObject;
class Model;
class Weapon;

class Avatar : public Object {
public:
    Avatar();
    ~Avatar() override;

    void draw() override;
    void onContact(Object* other) override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    NxVec3 getPosition() override { return position; }

    void createActor(NxScene* scene);
    void probeGround();
    // False once the last life is gone.
    bool update();
    void moveForward(float factor);
    void moveSideways(float factor);  // positive is to the avatar's left
    void jump(double dt);
    void releaseJump();
    void addPitch(float delta);
    void fireLeft(double time);
    void fireRight(double time);
    void interact();
    void setRespawnPoint();
    void onWallContact(NxVec3 normal);
    void takeDamage(int32_t amount);
    void addHealth(int32_t amount);
    void addAmmo(int32_t amount);
    // Column-major 4x4 matrices: the aim (third column = view direction) and the two muzzles.
    void getAimMatrix(float m[16]) const;
    void getLeftMountMatrix(float m[16]) const;
    void getRightMountMatrix(float m[16]) const;
    void reloadTexture(bool bilinear, bool mipmap);

    bool inAir() const { return radius * 1.2f < groundDistance; }

    NxActor* actor = nullptr;
    Model* maskModel;
    Model* respawnMarkerModel;
    Weapon* leftWeapon;
    Weapon* rightWeapon;
    // Lengths are world units, angles radians, times seconds. Forces are the physics scene's
    // (mass x world units per second squared), added once per frame: the ball of density 1 has
    // a mass of 0.0335, so a force of 1 accelerates it by about 30 units per second squared
    // (gravity: 98).
    NxVec3 position{0, 20, 0};  // the actor's, cached once per frame by probeGround
    float yaw = 0;              // forward is (sin yaw, 0, cos yaw)
    float pitch = 0;            // positive aims down; within +-1.57
    float groundForce = 3.0f;   // rolling force on the ground
    float radius = 0.2f;
    float groundDistance = 0;   // down from the ball's centre height to the ground
    float jumpTime = 0;         // boost used in the current jump
    float jumpDuration = 0.3f;  // boost per jump
    float jumpForce = 6.0f;     // the upward boost
    float airForce = 0.5f;      // rolling force in the air
    bool wallJumpArmed = false;
    bool alive = true;
    bool leftOnEnemy = false;
    bool rightOnEnemy = false;
    int32_t lives = 5;
    NxVec3 leftAimPoint{0, 0, 0};
    NxVec3 rightAimPoint{0, 0, 0};
    int32_t respawnItems = 1;
    NxVec3 respawnPoint{0, 0, 0};
    int32_t health = 100;
    int32_t maxHealth = 100;
    int32_t rings = 0;
    InteractionObject* interactionTarget = nullptr;
    Model* ballModel;

private:
    void mountMatrix(float side, float m[16]) const;
    void aim(const NxVec3& from, NxVec3& aimPoint, bool& onEnemy);
    void loseLife();
    void force(const NxVec3& f);
    uint32_t streaksTexture;
};
