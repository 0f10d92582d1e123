// The one physics world of the game: the SDK object and the single scene. Every other part
// reaches the SDK through these globals and its actors.
#pragma once

#include "NxPhysics.h"

extern NxPhysicsSDK* physicsSDK;
extern NxScene* physicsScene;
extern NxVec3 gravity;

class Object;

// initPhysics (world/init_physics.h) fills these; releasePhysics empties them again.
void releasePhysics();

// Stops the game in order on a physics failure: the world is released, the message goes to the
// console and the log, and the process ends with exit code 1.
[[noreturn]] void StopPhysics(const char* message);

// The object that owns a shape's actor (its user data), or null.
Object* objectFromShape(NxShape* shape);
