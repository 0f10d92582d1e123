#include "player/projectile.h"

#include "physics/actor_holder.h"
#include "player/explosion.h"
#include "objects/actor_pose.h"
#include "sound/sound.h"

namespace {

const char* const kSkeletonModel = "bullet_CO";

}  // namespace

Projectile::Projectile(NxScene* scene, const float mount[16], const Kind& kind) {
    type = OBJECT_TYPE_PROJECTILE;
    setModel(kind.visualModel);
    body = ActorHolder::createConvex(scene, this, GetModelByName(kind.physicsModel), kind.mesh,
                                     1.0f, kind.extra);
    NxActor* actor = body->actor;
    if (kind.ccdSkeleton)
        actor->getShapes()[0]->setCCDSkeleton(
            buildCCDSkeleton(scene, GetModelByName(kSkeletonModel)));
    SetActorMatrix(actor, mount);
    if (kind.straight) {
        actor->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
        actor->raiseBodyFlag(NX_BF_FROZEN_ROT);
    }
    actor->setLinearDamping(kind.linearDamping);
    actor->setAngularDamping(kind.angularDamping);
    actor->addLocalForce(NxVec3(0, 0, kind.launchForce), NX_FORCE, true);
    // The avatar's aim and ground rays (group mask 1) never see projectiles.
    actor->getShapes()[0]->setGroup(2);
    lifetime = kind.lifetime;
}

void Projectile::onContact(Object*) {}
void Projectile::setPose(const NxVec3&, const NxVec3&) {}

Bullet::Bullet(NxScene* scene, const float mount[16])
    : Projectile(scene, mount,
                 {"bullet", "bullet_CO", "bullet_CO", 0, false, true, 0.0f, 0.0f, 0.1f, 5.0}) {}

void Bullet::onContact(Object*) {
    if (lifetime > 0) PlaySoundEvent(SoundEvent::BulletHit, getPosition());  // once per bullet
    lifetime = 0;
}

Rocket::Rocket(NxScene* scene, const float mount[16])
    : Projectile(scene, mount,
                 {"rocket", "rocket", "rocket", 0, true, true, 0.0f, 0.0f, 1.0f, 4.0}) {}

void Rocket::onContact(Object* other) {
    if (other->type == OBJECT_TYPE_AVATAR) return;
    if (lifetime > 0) PlaySoundEvent(SoundEvent::Explosion, getPosition());  // one bang a rocket
    explode(5.0f, 50.0f, getPosition());
    lifetime = 0;
}

Grenade::Grenade(NxScene* scene, const float mount[16])
    : Projectile(scene, mount,
                 {"grenade", "grenade", "grenade", 1, true, false, 5.0f, 1.0f, 0.5f, 3.0}) {}

void Grenade::onContact(Object* other) {
    if (other->type != OBJECT_TYPE_ENEMY && other->type != OBJECT_TYPE_AVATAR) return;
    lifetime = 0;
    explode(8.0f, 50.0f, getPosition());
}

void Grenade::releaseActor() {
    if (body == nullptr) return;
    // Heard once: a grenade that went off on contact goes off again here, in the same step.
    PlaySoundEvent(SoundEvent::Explosion, getPosition());
    explode(8.0f, 50.0f, getPosition());
    ModelObject::releaseActor();
}
