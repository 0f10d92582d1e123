#include "scene/pickup_items.h"

#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "sound/sound.h"

namespace {

// A dynamic convex body of the named model; small and possibly fast, so it sweeps.
void Build(ModelObject* item, const char* name, NxScene* scene) {
    item->setModel(name);
    item->createActor(name, scene, 1.0f, false, 0);
    item->body->actor->getShapes()[0]->setCCDSkeleton(
        buildCCDSkeleton(scene, GetModelByName("bullet_CO")));
}

// The avatar, when it is what touched the item and the item was not taken already: contacts are
// reported when a pair starts touching, and a ball that bounces off an item before the object
// pass removes it would otherwise take it twice.
Avatar* Taker(ModelObject* item, Object* other, SoundEvent sound) {
    if (item->expired || other->type != OBJECT_TYPE_AVATAR) return nullptr;
    item->expired = true;
    PlaySoundEvent(sound, item->getPosition());
    return static_cast<Avatar*>(other);
}

}  // namespace

zvHealthItem::zvHealthItem(NxScene* scene) {
    Build(this, "health_item", scene);
}

void zvHealthItem::onContact(Object* other) {
    if (Avatar* avatar = Taker(this, other, SoundEvent::HealthPickup)) avatar->addHealth(20);
}

zvAmmoItem::zvAmmoItem(NxScene* scene) {
    Build(this, "ammo_item", scene);
}

void zvAmmoItem::onContact(Object* other) {
    if (Avatar* avatar = Taker(this, other, SoundEvent::AmmoPickup)) avatar->addAmmo(30);
}

zvRespawnItem::zvRespawnItem(NxScene* scene) {
    Build(this, "respawn_item", scene);
}

void zvRespawnItem::onContact(Object* other) {
    if (Avatar* avatar = Taker(this, other, SoundEvent::RespawnPickup)) ++avatar->respawnItems;
}

ModelObject* NewDroppedItem(int n, NxScene* scene) {
    // The draw as a share of 3.0, kept in single precision.
    float r = static_cast<float>(n / 10000.0 * 3.0);
    if (r < 1.3) return new zvHealthItem(scene);
    if (r < 2.7) return new zvAmmoItem(scene);
    return new zvRespawnItem(scene);
}
