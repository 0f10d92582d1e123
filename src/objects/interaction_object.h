// Something the avatar can act on with the interact key while it stands in its trigger (doors).
#pragma once

#include "objects/model_object.h"

class Avatar;

class InteractionObject : public TriggerModelObject {
public:
    void onTriggerEnter(Trigger* trigger, Object* other) override;
    void onTriggerLeave(Trigger* trigger, Object* other) override;
    virtual void interact(Avatar* avatar);
};
