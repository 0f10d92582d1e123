#include "objects/trigger.h"

#include "physics/actor_holder.h"
#include "objects/actor_pose.h"
#include "objects/model_object.h"

Trigger::Trigger(const char* name, NxScene* scene, NxU32 triggerFlags) {
    model = GetModelByName(name);
    body = ActorHolder::createConvex(scene, this, model, name, 0.0f, 0);
    NxShape* shape = body->actor->getShapes()[0];
    shape->setFlag(triggerFlags, true);
    shape->setGroup(2);
}

void Trigger::draw() {}

void Trigger::setPose(const NxVec3& position, const NxVec3& angles) {
    SetActorPose(body->actor, position, angles);
}

void Trigger::setMatrix(const float m[16]) {
    SetActorMatrix(body->actor, m);
}

void Trigger::release() {
    delete body;
    body = nullptr;
}

NxVec3 Trigger::getPosition() {
    return body->actor->getGlobalPosition();
}

ObjectTrigger::ObjectTrigger(TriggerModelObject* owner_, const char* name, NxScene* scene)
    : Trigger(name, scene, NX_TRIGGER_ON_ENTER | NX_TRIGGER_ON_LEAVE), owner(owner_) {}

void ReleaseTrigger(ObjectTrigger*& trigger) {
    if (trigger == nullptr) return;
    trigger->release();
    delete trigger;
    trigger = nullptr;
}

void ObjectTrigger::onTrigger(Object* other, NxU32 status) {
    if (status & NX_TRIGGER_ON_ENTER) owner->onTriggerEnter(this, other);
    if (status & NX_TRIGGER_ON_LEAVE) owner->onTriggerLeave(this, other);
}
