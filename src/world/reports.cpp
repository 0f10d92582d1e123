#include "world/reports.h"

#include <cstdio>

#include "core/object.h"
#include "objects/trigger.h"
#include "physics/physics_world.h"
#include "player/avatar.h"

namespace {

bool IsTyped(const Object* o) {
    return o->type >= OBJECT_TYPE_MODEL && o->type <= OBJECT_TYPE_PROJECTILE;
}

// Hands the avatar the first patch normal of every shape pair of the contact, turned so that it
// points from the touched object towards the avatar.
void ReportWallContacts(NxContactPair& pair, Avatar* avatar, bool avatarIsSecond) {
    NxContactStreamIterator i(pair.stream);
    while (i.goNextPair()) {
        if (!i.goNextPatch()) continue;
        NxVec3 normal = i.getPatchNormal();
        avatar->onWallContact(avatarIsSecond ? -normal : normal);
    }
}

}  // namespace

ContactReport::ContactReport(NxScene* scene) {
    std::printf("initialized contact reports\n");
    scene->setUserContactReport(this);
    scene->setActorGroupPairFlags(0, 0, NX_NOTIFY_ON_START_TOUCH);
}

void ContactReport::onContactNotify(NxContactPair& pair, NxU32) {
    Object* a = static_cast<Object*>(pair.actors[0]->userData);
    Object* b = static_cast<Object*>(pair.actors[1]->userData);
    if (a == nullptr || b == nullptr) return;
    if (b->type == OBJECT_TYPE_AVATAR && a->type == OBJECT_TYPE_MODEL)
        ReportWallContacts(pair, static_cast<Avatar*>(b), true);
    else if (a->type == OBJECT_TYPE_AVATAR && b->type == OBJECT_TYPE_MODEL)
        ReportWallContacts(pair, static_cast<Avatar*>(a), false);
    if (IsTyped(a) && IsTyped(b)) {
        a->onContact(b);
        b->onContact(a);
    }
}

TriggerReport::TriggerReport(NxScene* scene) {
    scene->setUserTriggerReport(this);
}

void TriggerReport::onTrigger(NxShape& triggerShape, NxShape& otherShape, NxTriggerFlag status) {
    // Trigger shapes belong to the actors of ObjectTriggers only.
    auto* trigger = static_cast<ObjectTrigger*>(objectFromShape(&triggerShape));
    Object* other = objectFromShape(&otherShape);
    if (trigger == nullptr || other == nullptr) return;
    trigger->onTrigger(other, status);
}
