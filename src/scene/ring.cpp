#include "scene/ring.h"

#include <cstdio>

#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "objects/actor_pose.h"
#include "objects/trigger.h"
#include "sound/sound.h"

zvRing::zvRing(NxScene* scene) {
    type = OBJECT_TYPE_MODEL;
    model = GetModelByName("ring");
    body = ActorHolder::createConcave(scene, this, model, "ring", 0.0f, 0);
    upperTrigger = new ObjectTrigger(this, "ring_upperTrigger", scene);
    lowerTrigger = new ObjectTrigger(this, "ring_lowerTrigger", scene);
}

void zvRing::setPose(const NxVec3& position, const NxVec3& angles) {
    SetActorPose(body->actor, position, angles);
    upperTrigger->setPose(position, angles);
    lowerTrigger->setPose(position, angles);
}

void zvRing::setMatrix(const float m[16]) {
    SetActorMatrix(body->actor, m);
    upperTrigger->setMatrix(m);
    lowerTrigger->setMatrix(m);
}

void zvRing::release() {
    onRelease();
    releaseActor();
    ReleaseTrigger(upperTrigger);
    ReleaseTrigger(lowerTrigger);
}

void zvRing::onTriggerEnter(Trigger* trigger, Object* other) {
    if (other->type != OBJECT_TYPE_AVATAR) return;
    trigger->occupied = true;
    // Whichever half is entered second completes the pass, as long as the avatar has not left
    // the first one in between.
    if (!upperTrigger->occupied || !lowerTrigger->occupied || collected) return;
    auto* avatar = static_cast<Avatar*>(other);
    ++avatar->rings;
    collected = true;
    PlaySoundEvent(SoundEvent::Ring, getPosition());
    std::printf("%i rings collected\n", avatar->rings);
}

void zvRing::onTriggerLeave(Trigger* trigger, Object* other) {
    if (other->type == OBJECT_TYPE_AVATAR) trigger->occupied = false;
}
