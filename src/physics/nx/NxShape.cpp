#include "NxShape.h"

#include <cstdio>

#include "NxMeshes.h"
#include "internal/actor_core.h"

void NxShape::setFlag(NxU32 flags, bool value) {
    flags_ = value ? flags_ | flags : flags_ & ~flags;
    // A trigger reports overlaps and no longer pushes anything.
    btRigidBody& body = *core_->body;
    int collision = body.getCollisionFlags();
    body.setCollisionFlags(getFlag(NX_TRIGGER_ENABLE)
                               ? collision | btCollisionObject::CF_NO_CONTACT_RESPONSE
                               : collision & ~btCollisionObject::CF_NO_CONTACT_RESPONSE);
}

void NxShape::setGroup(NxCollisionGroup group) {
    if (group > 31) {
        std::printf("setGroup: collision group %u is not one of 0-31\n", group);
        return;
    }
    group_ = group;
    // All groups collide; the group bit only decides which ray casts see the shape.
    core_->body->getBroadphaseHandle()->m_collisionFilterGroup = 1 << group;
}

void NxShape::setCCDSkeleton(NxCCDSkeleton* skeleton) {
    skeleton_ = skeleton;
    btRigidBody& body = *core_->body;
    body.setCcdMotionThreshold(skeleton ? skeleton->motionThreshold : 0);
    body.setCcdSweptSphereRadius(skeleton ? skeleton->sweptSphereRadius : 0);
}
