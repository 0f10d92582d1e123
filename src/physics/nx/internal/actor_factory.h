// Builds an actor from its descriptor: the engine shape, the mass and inertia, the body.
#pragma once

#include <memory>

#include "NxActor.h"

namespace nx {

struct SceneCore;

// Null, with one console line naming the problem, for a descriptor the scene cannot build.
std::unique_ptr<NxActor> BuildActor(SceneCore& scene, const NxActorDesc& desc, NxReal margin);

}  // namespace nx
