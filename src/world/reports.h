// The contact and trigger reports: the physics scene calls them inside fetchResults, and they
// route every event to the scene objects involved.
#pragma once

#include "NxPhysics.h"

class ContactReport : public NxUserContactReport {
public:
    explicit ContactReport(NxScene* scene);
    void onContactNotify(NxContactPair& pair, NxU32 events) override;
};

class TriggerReport : public NxUserTriggerReport {
public:
    explicit TriggerReport(NxScene* scene);
    void onTrigger(NxShape& triggerShape, NxShape& otherShape, NxTriggerFlag status) override;
};
