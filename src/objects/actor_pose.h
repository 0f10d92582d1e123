// Poses of actors as the level file and the renderer write them: column-major 4x4 matrices with
// the rotation in elements 0-2, 4-6, 8-10 and the translation in 12-14.
#pragma once

#include "NxPhysics.h"

// The actor's global pose as a column-major 4x4 matrix.
void GetActorMatrix(NxActor* actor, float m[16]);
// Sets the actor's global pose from a column-major 4x4 matrix; its last row is ignored.
void SetActorMatrix(NxActor* actor, const float m[16]);
// Orientation rotY(angles.y) * rotX(angles.x) first (angles.z is not applied), then position.
void SetActorPose(NxActor* actor, const NxVec3& position, const NxVec3& angles);
