// Enemies: cube-shaped scene objects with a trigger volume around them, a target, health and a
// small state machine that the enemy pass of the game step drives once per step. This is what all
// kinds share: taking damage, line of sight, the turns towards the target, the trigger that wakes
// them and the item they leave behind.
#pragma once

#include <cstdint>

#include "objects/model_object.h"

class NxActor;
class ObjectTrigger;
class Weapon;

enum EnemyState {
    ENEMY_IDLE = 0,
    ENEMY_ALERTED = 1,  // the avatar entered the trigger; not yet seen (fly, jumping block)
    ENEMY_ACTIVE = 2,   // tracking the target
    ENEMY_DYING = 3,    // health ran out (or the moving bomb touched the avatar): dies next update
    ENEMY_DEAD = 4,     // died and expired
};

class zvEnemy : public TriggerModelObject {
public:
    // Projectiles cost every kind 10 health.
    void onContact(Object* other) override;
    // The actor and the trigger (while there is one) take the placement.
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    // Releases the actor and the trigger, each only if still present.
    void release() override;
    // The trigger hears the avatar: it becomes the target.
    void onTriggerEnter(Trigger* trigger, Object* other) override;
    void onTriggerLeave(Trigger* trigger, Object* other) override;
    // One step of the enemy's behaviour at the absolute game time `time`, in seconds.
    virtual void update(double time);

    // Health running out makes the enemy dying, even when it was at 0 already.
    void takeDamage(int32_t amount);
    // Line of sight from `from` to the target over the game's group 1 (projectiles and triggers
    // never block it). On success `targetDistance` is the distance to the target's surface.
    bool canSee(const NxVec3& from);
    // The signed turns that bring a heading (0 looks along +Z, growing towards +X) or a pitch
    // (positive looks down) onto `direction`.
    static float headingDelta(float current, const NxVec3& direction);
    static float pitchDelta(float current, const NxVec3& direction);
    // Leaves a random pickup item where the enemy stands.
    void dropItem();

    Object* target = nullptr;  // the avatar, once it has entered the trigger
    float targetDistance = 0;  // measured by the last successful canSee
    int32_t kind;              // 0 cannon, 1 moving bomb, 2 fly, 3 jumping block
    int32_t health;
    int32_t state = ENEMY_IDLE;
    ObjectTrigger* trigger = nullptr;  // null once removed

protected:
    zvEnemy(int32_t kind, int32_t health);
    // The trigger comes last in every kind's construction, after its own models and actors.
    void addTrigger(NxScene* scene);
    bool dying() const { return state >= ENEMY_DYING; }
    // The state the avatar's arrival in the trigger puts the enemy in.
    virtual int32_t noticedState() const = 0;
    // Alerted enemies that see the target hunt it from then on, wherever it goes: the trigger
    // has done its work and is removed.
    void lookForTarget();
    void releaseTrigger();
    // Turns an actor's heading and pitch one step of at most `step` radians each towards
    // `direction`; the actor then looks along them. True when both are on target.
    static bool aimActor(NxActor* actor, float& heading, float& pitch, const NxVec3& direction,
                         float step);
    // Fires the weapon from a muzzle 1.0 straight ahead of the actor, along its aim.
    static void fireAhead(Weapon* weapon, NxActor* actor, double time);
};

// The heading that a placement matrix gives its model's +Z axis, in (-pi, pi].
float HeadingOf(const float m[16]);
