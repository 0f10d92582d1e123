#include "scene/door.h"

#include "core/globals.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "render/model.h"
#include "objects/actor_pose.h"
#include "objects/trigger.h"
#include "sound/sound.h"

namespace {

// A closed door whose trigger the avatar stands in, or null. Triggers of two doors may overlap;
// when one of them opens, the avatar can go on to open the other without stepping out first.
zvDoor* OccupiedClosedDoor() {
    zvDoor* found = nullptr;
    for (Object* object : objects) {
        auto* door = dynamic_cast<zvDoor*>(object);
        if (door != nullptr && door->trigger != nullptr && door->trigger->occupied) found = door;
    }
    return found;
}

}  // namespace

zvDoor::zvDoor(NxScene* scene) {
    type = OBJECT_TYPE_MODEL;
    setModel("zvdoor");
    createActor("zvdoor", scene, 1.0f, false, 0);
    // Only the animation moves the door.
    body->actor->raiseBodyFlag(NX_BF_KINEMATIC);
    trigger = new ObjectTrigger(this, "zvdoor_trigger", scene);
    frameModel = GetModelByName("zvdoor_frame");
    frameBody = ActorHolder::createConcave(scene, this, frameModel, "zvdoor_frame", 0.0f, 0);
}

void zvDoor::draw() {
    float m[16];
    GetActorMatrix(body->actor, m);
    model->Render(m);
    GetActorMatrix(frameBody->actor, m);
    frameModel->Render(m);
}

void zvDoor::setPose(const NxVec3& position, const NxVec3& angles) {
    SetActorPose(body->actor, position, angles);
    baseY = position.y;
    SetActorPose(frameBody->actor, position, angles);
    if (trigger != nullptr) trigger->setPose(position, angles);
}

void zvDoor::setMatrix(const float m[16]) {
    SetActorMatrix(body->actor, m);
    if (trigger != nullptr) trigger->setMatrix(m);
    baseY = m[13];
    SetActorMatrix(frameBody->actor, m);
}

// The frame and the trigger go with the door, so that no actor is left behind pointing at a
// freed door.
void zvDoor::release() {
    ModelObject::release();
    ReleaseTrigger(trigger);
    delete frameBody;
    frameBody = nullptr;
}

void zvDoor::onTriggerEnter(Trigger* reporter, Object* other) {
    if (other->type != OBJECT_TYPE_AVATAR) return;
    static_cast<Avatar*>(other)->interactionTarget = this;
    reporter->occupied = true;
}

// Leaving any door's trigger clears the target, even while the avatar stands in another one.
void zvDoor::onTriggerLeave(Trigger* reporter, Object* other) {
    if (other->type != OBJECT_TYPE_AVATAR) return;
    static_cast<Avatar*>(other)->interactionTarget = nullptr;
    reporter->occupied = false;
}

void zvDoor::interact(Avatar* avatar) {
    if (avatar->type != OBJECT_TYPE_AVATAR) return;
    if (static_cast<uint32_t>(avatar->rings) < requiredRings) return;
    avatar->rings -= static_cast<int32_t>(requiredRings);
    ReleaseTrigger(trigger);  // it cannot be opened twice
    avatar->interactionTarget = OccupiedClosedDoor();
    animations.push_back(this);
    PlaySoundEvent(SoundEvent::DoorOpen, getPosition());
}

void zvDoor::animate(double dt) {
    NxVec3 p = body->actor->getGlobalPosition();
    if (p.y < baseY + openHeight) {
        // The door may overshoot its open height by up to one step.
        p.y = static_cast<float>(p.y + openSpeed * dt);
        body->actor->moveGlobalPosition(p);
    } else {
        finished = true;
    }
}
