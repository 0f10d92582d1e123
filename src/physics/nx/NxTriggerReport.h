// Trigger reports: a trigger shape tells the user's NxUserTriggerReport when a dynamic shape
// enters or leaves it, inside fetchResults.
#pragma once

#include "NxShape.h"

// The status is a set of flag bits, so it has an integer underlying type: any sum of the flags
// (or a flag the layer never reports) is a valid value.
enum NxTriggerFlag : NxU32 {
    NX_TRIGGER_FLAG_ENTER = NX_TRIGGER_ON_ENTER,
    NX_TRIGGER_FLAG_LEAVE = NX_TRIGGER_ON_LEAVE,
};

class NxUserTriggerReport {
public:
    virtual void onTrigger(NxShape& triggerShape, NxShape& otherShape, NxTriggerFlag status) = 0;

protected:
    virtual ~NxUserTriggerReport() = default;
};
