// Closest-shape ray casts. Spheres and hulls with faces are met exactly (by the quadratic and by
// the hull's face planes): the engine's own test for convex shapes stops its iteration a few
// thousandths of a unit short, and the avatar's ground probe and the enemies' sight read the
// distance. Planes and triangle meshes keep the engine's test, which is exact.
#pragma once

#include <btBulletCollisionCommon.h>

#include "NxRaycast.h"

namespace nx {

// The closest object along from -> to among those whose collision group bit is in `mask` and
// whose kind (static, dynamic) is wanted; a ray starting inside a convex shape does not hit it.
// The answer's m_closestHitFraction, m_collisionObject, m_hitPointWorld and m_hitNormalWorld
// describe the hit.
void CastClosest(btCollisionWorld& world, const btVector3& from, const btVector3& to,
                 NxShapesType kinds, NxU32 mask, btCollisionWorld::ClosestRayResultCallback& hit);

}  // namespace nx
