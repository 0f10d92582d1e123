// A door closing a passage of the level. The avatar opens it from inside its trigger volume with
// the interact key once it has collected enough rings: the rings are spent and the door slides
// up through its frame, one animation step per game step, and stays open.
#pragma once

#include <cstdint>

#include "objects/animation_object.h"
#include "objects/interaction_object.h"

class ActorHolder;
class Model;
class ObjectTrigger;

class zvDoor : public InteractionObject, public AnimationObject {
public:
    explicit zvDoor(NxScene* scene);
    void draw() override;
    // The door, its frame and (while closed) its trigger move together; the placed height is
    // the closed door's height.
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void release() override;
    void onTriggerEnter(Trigger* trigger, Object* other) override;
    void onTriggerLeave(Trigger* trigger, Object* other) override;
    void interact(Avatar* avatar) override;
    void animate(double dt) override;

    uint32_t requiredRings = 3;
    float baseY = 0.0f;       // height of the closed door
    float openHeight = 1.0f;  // how far it rises
    float openSpeed = 1.0f;   // rise per second
    Model* frameModel = nullptr;
    ActorHolder* frameBody = nullptr;  // a static triangle mesh; its actor's user data is the door
    ObjectTrigger* trigger = nullptr;  // released once the door opens
};
