// A ring in the level: a fixed, solid ring model with two trigger volumes filling its opening,
// an upper and a lower half. The avatar collects it by passing through, at the moment it is
// inside both halves at once; each ring counts once, towards the avatar's ring counter.
#pragma once

#include "objects/model_object.h"

class ObjectTrigger;

class zvRing : public TriggerModelObject {
public:
    explicit zvRing(NxScene* scene);
    // The ring and both halves of its opening move together.
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    void release() override;
    void onTriggerEnter(Trigger* trigger, Object* other) override;
    void onTriggerLeave(Trigger* trigger, Object* other) override;

    ObjectTrigger* upperTrigger = nullptr;
    ObjectTrigger* lowerTrigger = nullptr;
    bool collected = false;  // once set, never cleared; a collected ring stays in place
};
