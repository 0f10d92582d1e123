// Pickup items: small physical bodies that a dying enemy leaves behind. They fall and bounce like
// any dynamic body; the avatar takes one by touching it, and the object pass removes it.
#pragma once

#include "objects/model_object.h"

class NxScene;

// Restores 20 health, up to the avatar's maximum.
class zvHealthItem : public ModelObject {
public:
    explicit zvHealthItem(NxScene* scene);
    void onContact(Object* other) override;
};

// Refills both weapons with 30 (each converts and caps the amount).
class zvAmmoItem : public ModelObject {
public:
    explicit zvAmmoItem(NxScene* scene);
    void onContact(Object* other) override;
};

// One more respawn item, without a cap.
class zvRespawnItem : public ModelObject {
public:
    explicit zvRespawnItem(NxScene* scene);
    void onContact(Object* other) override;
};

// The item that a draw n of the random generator (0 to 10000) leaves: health for n up to 4333,
// ammunition up to 8999, a respawn item above (about 43, 47 and 10 %).
ModelObject* NewDroppedItem(int n, NxScene* scene);
