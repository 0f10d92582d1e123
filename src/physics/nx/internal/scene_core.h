// The engine side of a scene: the world, the actors, the materials, the stepping clock and the
// queued reports.
#pragma once

#include <memory>
#include <vector>

#include "NxContactReport.h"
#include "NxSceneDesc.h"
#include "NxTriggerReport.h"
#include "internal/bullet_world.h"
#include "internal/scene_events.h"

class NxActor;
class NxMaterial;
class NxScene;
struct NxParameters;

namespace nx {

struct SceneCore {
    SceneCore(NxScene& scene, const NxParameters& parameters, const NxSceneDesc& desc);

    NxScene& scene;
    const NxParameters& parameters;  // the SDK's
    BulletWorld bullet;
    btVector3 gravity;
    NxReal stepTime;
    NxU32 maxSteps;
    double pendingTime = 0;  // elapsed time not yet simulated, less than one sub-step
    std::uint64_t stepCount = 0;

    std::vector<std::unique_ptr<NxMaterial>> materials;
    std::vector<std::unique_ptr<NxActor>> actors;  // creation order
    std::vector<NxActor*> movers;                  // actors with a body, creation order
    NxU32 nextSerial = 1;

    NxU32 pairFlags = 0;  // of actor group pair (0, 0)
    NxUserContactReport* contactReport = nullptr;
    NxUserTriggerReport* triggerReport = nullptr;
    EventScanner scanner;
    std::vector<QueuedEvent> events;

    // Adds the body to the world with its shape's collision group; removes it.
    void addBody(ActorCore& actor);
    void removeBody(ActorCore& actor);
    // Wakes the moving bodies touching this actor: a sleeping body resting on an actor that is
    // released must fall, not hang where its support was.
    void wakeTouching(ActorCore& actor);
    // The SDK's parameters as this scene's engine settings.
    void applySdkParameters();
    void simulate(NxReal elapsedTime);
};

}  // namespace nx
