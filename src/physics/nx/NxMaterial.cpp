#include "NxMaterial.h"

#include "NxActor.h"
#include "internal/actor_core.h"
#include "internal/scene_core.h"

namespace {

// The engine keeps the coefficients on each body: shapes already using the material follow.
template <class Apply>
void ForEachBodyWith(nx::SceneCore& scene, NxMaterialIndex index, Apply apply) {
    for (const auto& actor : scene.actors)
        if (actor->getShapes()[0]->getMaterial() == index) apply(*actor->core().body);
}

}  // namespace

void NxMaterial::setRestitution(NxReal restitution) {
    desc_.restitution = restitution;
    ForEachBodyWith(scene_, index_,
                    [restitution](btRigidBody& b) { b.setRestitution(restitution); });
}

void NxMaterial::setDynamicFriction(NxReal friction) {
    desc_.dynamicFriction = friction;
    ForEachBodyWith(scene_, index_, [friction](btRigidBody& b) { b.setFriction(friction); });
}
