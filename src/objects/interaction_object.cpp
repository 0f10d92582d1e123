#include "objects/interaction_object.h"

void InteractionObject::onTriggerEnter(Trigger*, Object*) {}
void InteractionObject::onTriggerLeave(Trigger*, Object*) {}
void InteractionObject::interact(Avatar*) {}
