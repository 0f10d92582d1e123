#include "NxScene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "NxActor.h"
#include "NxMaterial.h"
#include "NxParameters.h"
#include "internal/actor_core.h"
#include "internal/actor_factory.h"
#include "internal/bullet_convert.h"
#include "internal/ray_cast.h"
#include "internal/scene_core.h"

namespace nx {

namespace {

// Elapsed time within this much of a whole number of sub-steps counts as that number, so that
// frame times given as floats (1/60 s rounds either way) still run one sub-step per 1/60 s.
constexpr double kStepTolerance = 1e-6;

}  // namespace

SceneCore::SceneCore(NxScene& scene, const NxParameters& parameters, const NxSceneDesc& desc)
    : scene(scene),
      parameters(parameters),
      bullet(ToBt(desc.gravity)),
      gravity(ToBt(desc.gravity)),
      stepTime(desc.maxTimestep),
      maxSteps(desc.maxIter) {
    materials.push_back(std::make_unique<NxMaterial>(*this, 0, NxMaterialDesc()));
}

void SceneCore::addBody(ActorCore& actor) {
    const NxShape& shape = *actor.owner.getShapes()[0];
    bullet.world.addRigidBody(actor.body.get(), 1 << shape.getGroup(), -1);
}

void SceneCore::removeBody(ActorCore& actor) {
    bullet.world.removeRigidBody(actor.body.get());
}

void SceneCore::wakeTouching(ActorCore& actor) {
    const btCollisionObject* body = actor.body.get();
    for (int i = 0; i < bullet.dispatcher.getNumManifolds(); ++i) {
        btPersistentManifold* manifold = bullet.dispatcher.getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0) continue;
        const btCollisionObject* other = manifold->getBody0() == body   ? manifold->getBody1()
                                         : manifold->getBody1() == body ? manifold->getBody0()
                                                                        : nullptr;
        if (other != nullptr && !other->isStaticOrKinematicObject())
            const_cast<btCollisionObject*>(other)->activate(true);
    }
}

void SceneCore::applySdkParameters() {
    // Impacts slower than the threshold do not bounce.
    bullet.world.getSolverInfo().m_restitutionVelocityThreshold = -parameters.bounceThreshold;
    bullet.world.getDispatchInfo().m_useContinuous = parameters.continuousCD != 0;
}

void SceneCore::simulate(NxReal elapsedTime) {
    if (!(elapsedTime > 0)) return;
    pendingTime += elapsedTime;
    double due = std::floor(pendingTime / stepTime + kStepTolerance);
    NxU32 steps = static_cast<NxU32>(std::min<double>(due, maxSteps));
    // Time beyond the last allowed sub-step is dropped, as is a remainder after the clamp.
    pendingTime = due > maxSteps ? 0.0 : std::max(0.0, pendingTime - steps * double(stepTime));
    NxReal callTime = std::min(elapsedTime, maxSteps * stepTime);

    for (NxActor* actor : movers) actor->core().foldForces(callTime, stepTime);
    if (steps == 0) return;

    for (NxActor* actor : movers) actor->core().beginSteps(steps, stepTime);
    btScalar touchDistance = parameters.skinWidth;
    bool reportStarts = (pairFlags & NX_NOTIFY_ON_START_TOUCH) != 0;
    for (NxU32 step = 1; step <= steps; ++step) {
        for (NxActor* actor : movers) actor->core().beforeSubStep(step, steps, stepTime);
        // No fixed step of the engine's own: exactly one step of stepTime per call.
        bullet.world.stepSimulation(stepTime, 0, stepTime);
        for (NxActor* actor : movers) actor->core().afterSubStep();
        scanner.scan(bullet.dispatcher, ++stepCount, touchDistance, reportStarts, events);
    }
    for (NxActor* actor : movers) actor->core().endSteps();
}

}  // namespace nx

NxScene::NxScene(NxPhysicsSDK& sdk, const NxParameters& parameters, const NxSceneDesc& desc)
    : sdk_(sdk), core_(std::make_unique<nx::SceneCore>(*this, parameters, desc)) {
    core_->applySdkParameters();
}

NxScene::~NxScene() {
    // Bodies leave the world before the world goes.
    while (!core_->actors.empty()) releaseActor(*core_->actors.back());
}

NxActor* NxScene::createActor(const NxActorDesc& desc) {
    std::unique_ptr<NxActor> actor = nx::BuildActor(*core_, desc, core_->parameters.skinWidth);
    if (!actor) return nullptr;
    if (actor->core().hasBody) core_->movers.push_back(actor.get());
    core_->actors.push_back(std::move(actor));
    return core_->actors.back().get();
}

void NxScene::releaseActor(NxActor& actor) {
    // Searched from the back: what goes first is mostly what came last (projectiles, the scene's
    // own teardown), so releasing every actor of a large level does not scan it again each time.
    auto owned = std::find_if(core_->actors.rbegin(), core_->actors.rend(),
                              [&actor](const auto& a) { return a.get() == &actor; });
    if (owned == core_->actors.rend()) return;
    core_->wakeTouching(actor.core());
    core_->removeBody(actor.core());
    core_->scanner.forget(actor.core().serial);
    for (nx::QueuedEvent& event : core_->events) {
        bool involved = event.isContact ? event.actors[0] == &actor || event.actors[1] == &actor
                                        : &event.triggerShape->getActor() == &actor ||
                                              &event.otherShape->getActor() == &actor;
        if (involved) event.cancelled = true;
    }
    std::erase(core_->movers, &actor);
    core_->actors.erase(std::next(owned).base());
}

NxU32 NxScene::getNbActors() const {
    return static_cast<NxU32>(core_->actors.size());
}

NxMaterial* NxScene::createMaterial(const NxMaterialDesc& desc) {
    auto index = static_cast<NxMaterialIndex>(core_->materials.size());
    core_->materials.push_back(std::make_unique<NxMaterial>(*core_, index, desc));
    return core_->materials.back().get();
}

NxMaterial* NxScene::getMaterialFromIndex(NxMaterialIndex index) const {
    if (index >= core_->materials.size()) index = 0;
    return core_->materials[index].get();
}

void NxScene::setActorGroupPairFlags(NxActorGroup group1, NxActorGroup group2, NxU32 flags) {
    if (group1 == 0 && group2 == 0) core_->pairFlags = flags;
}

NxU32 NxScene::getActorGroupPairFlags(NxActorGroup group1, NxActorGroup group2) const {
    return group1 == 0 && group2 == 0 ? core_->pairFlags : 0;
}

void NxScene::setUserContactReport(NxUserContactReport* report) {
    core_->contactReport = report;
}

void NxScene::setUserTriggerReport(NxUserTriggerReport* report) {
    core_->triggerReport = report;
}

void NxScene::simulate(NxReal elapsedTime) {
    core_->simulate(elapsedTime);
}

bool NxScene::fetchResults(NxSimulationStatus status, bool, NxU32* errorState) {
    if (errorState != nullptr) *errorState = 0;
    if ((status & NX_RIGID_BODY_FINISHED) == 0) return false;
    nx::DeliverEvents(core_->events, core_->contactReport, core_->triggerReport);
    return true;
}

NxShape* NxScene::raycastClosestShape(const NxRay& worldRay, NxShapesType shapeType,
                                      NxRaycastHit& hit, NxU32 groupsMask, NxReal maxDist) const {
    if (!(maxDist > 0)) return nullptr;
    btVector3 from = nx::ToBt(worldRay.orig);
    btVector3 to = from + nx::ToBt(worldRay.dir) * maxDist;
    btCollisionWorld::ClosestRayResultCallback closest(from, to);
    nx::CastClosest(core_->bullet.world, from, to, shapeType, groupsMask, closest);
    if (!closest.hasHit()) return nullptr;
    hit.shape = static_cast<NxShape*>(closest.m_collisionObject->getUserPointer());
    hit.worldImpact = nx::ToNx(closest.m_hitPointWorld);
    hit.worldNormal = nx::ToNx(closest.m_hitNormalWorld);
    hit.distance = closest.m_closestHitFraction * (to - from).length();
    return hit.shape;
}
