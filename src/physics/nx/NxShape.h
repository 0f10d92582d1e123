// A shape of an actor: its collision geometry's flags, collision group and CCD skeleton.
#pragma once

#include "NxMaterial.h"
#include "NxShapeDesc.h"

class NxActor;
class NxCCDSkeleton;
namespace nx {
struct ActorCore;
}

// Trigger flags: a shape with any of them is a trigger that reports the shapes entering and
// leaving it and no longer collides.
enum NxShapeFlag {
    NX_TRIGGER_ON_ENTER = 1 << 0,
    NX_TRIGGER_ON_LEAVE = 1 << 1,
    NX_TRIGGER_ON_STAY = 1 << 2,  // accepted, never reported
    NX_TRIGGER_ENABLE = NX_TRIGGER_ON_ENTER | NX_TRIGGER_ON_LEAVE | NX_TRIGGER_ON_STAY,
};

// Collision groups 0-31. All groups collide with each other; a ray cast sees a shape when the
// bit (1 << group) is in its groups mask.
typedef NxU16 NxCollisionGroup;

class NxShape {
public:
    void* userData = nullptr;

    NxActor& getActor() const { return actor_; }
    NxShapeType getType() const { return type_; }
    NxMaterialIndex getMaterial() const { return material_; }

    // Raises (value true) or clears the given flags; takes NxShapeFlag values or their sum.
    void setFlag(NxU32 flags, bool value);
    bool getFlag(NxU32 flag) const { return (flags_ & flag) != 0; }

    void setGroup(NxCollisionGroup group);
    NxCollisionGroup getGroup() const { return group_; }

    // Null turns continuous collision detection off for this shape.
    void setCCDSkeleton(NxCCDSkeleton* skeleton);
    NxCCDSkeleton* getCCDSkeleton() const { return skeleton_; }

    NxShape(NxActor& actor, NxShapeType type, NxMaterialIndex material)
        : actor_(actor), type_(type), material_(material) {}
    // The actor's engine side, which the shape's settings reach; set once the actor has one.
    void attach(nx::ActorCore& core) { core_ = &core; }
    NxShape(const NxShape&) = delete;
    NxShape& operator=(const NxShape&) = delete;

private:
    NxActor& actor_;
    nx::ActorCore* core_ = nullptr;
    const NxShapeType type_;
    const NxMaterialIndex material_;
    NxU32 flags_ = 0;
    NxCollisionGroup group_ = 0;
    NxCCDSkeleton* skeleton_ = nullptr;
};
