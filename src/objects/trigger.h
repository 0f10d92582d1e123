// Trigger volumes: static convex actors whose first shape reports enter and leave. They sit in
// collision group 2, so the game's rays (group mask 1) pass through them.
#pragma once

#include "NxPhysics.h"
#include "core/object.h"

class ActorHolder;
class Model;
class TriggerModelObject;

class Trigger : public Object {
public:
    Trigger(const char* name, NxScene* scene, NxU32 triggerFlags);
    void draw() override;  // triggers are never drawn
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void release() override;
    NxVec3 getPosition() override;

    Model* model = nullptr;
    ActorHolder* body = nullptr;
    bool occupied = false;  // the avatar is inside; set and cleared by the owner
};

// A trigger that hands its events to the object that owns it.
class ObjectTrigger : public Trigger {
public:
    ObjectTrigger(TriggerModelObject* owner, const char* name, NxScene* scene);
    void onTrigger(Object* other, NxU32 status);

    TriggerModelObject* owner;
};

// Releases and frees a trigger its owner no longer needs, and forgets it; nothing when null.
void ReleaseTrigger(ObjectTrigger*& trigger);
