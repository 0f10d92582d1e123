#include "internal/scene_events.h"

#include <BulletCollision/CollisionShapes/btConvexHullShape.h>
#include <BulletCollision/CollisionShapes/btConvexPolyhedron.h>
#include <BulletCollision/CollisionShapes/btConvexShape.h>
#include <BulletCollision/NarrowPhaseCollision/btGjkEpa2.h>
#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>

#include "NxActor.h"
#include "internal/bullet_convert.h"

namespace nx {

namespace {

NxShape* ShapeOf(const btCollisionObject* object) {
    return static_cast<NxShape*>(object->getUserPointer());
}
NxU32 SerialOf(const btCollisionObject* object) {
    return static_cast<NxU32>(object->getUserIndex());
}
bool IsTrigger(const NxShape* shape) {
    return shape->getFlag(NX_TRIGGER_ENABLE);
}

void QueueTriggerEvent(std::vector<QueuedEvent>& queue, NxShape* trigger, NxShape* other,
                       NxTriggerFlag status) {
    QueuedEvent& event = queue.emplace_back();
    event.isContact = false;
    event.cancelled = false;
    event.triggerShape = trigger;
    event.otherShape = other;
    event.status = status;
}

// The faces of a hull (planes positive outside, in the shape's frame); null for other shapes and
// for flat hulls. They are the faces of the whole hull: its core lies the margin inside each.
const btConvexPolyhedron* HullFaces(const btCollisionShape* shape) {
    if (shape->getShapeType() != CONVEX_HULL_SHAPE_PROXYTYPE) return nullptr;
    return static_cast<const btConvexHullShape*>(shape)->getConvexPolyhedron();
}

// The largest height of a point over the faces, less the margin: positive outside the core.
btScalar HeightOverCore(const btConvexPolyhedron& faces, btScalar margin, const btVector3& point) {
    btScalar height = -BT_LARGE_FLOAT;
    for (int f = 0; f < faces.m_faces.size(); ++f) {
        const btScalar* plane = faces.m_faces[f].m_plane;
        height = btMax(height, btVector3(plane[0], plane[1], plane[2]).dot(point) + plane[3]);
    }
    return height + margin;
}

// Whether a shape's core holds the origin of its own frame: a sphere's core is its centre, and
// hulls are built around their centre of mass.
bool CoreHoldsOrigin(const btCollisionShape* shape) {
    if (shape->getShapeType() == SPHERE_SHAPE_PROXYTYPE) return true;
    const btConvexPolyhedron* faces = HullFaces(shape);
    return faces != nullptr && HeightOverCore(*faces, shape->getMargin(), btVector3(0, 0, 0)) <= 0;
}

// One side of a pair as the quick tests need it, each part worked out once.
struct Placed {
    explicit Placed(const btCollisionObject& object)
        : shape(object.getCollisionShape()),
          pose(object.getWorldTransform()),
          faces(HullFaces(shape)) {
        shape->getBoundingSphere(centre, radius);
        centre = pose * centre;
    }

    const btCollisionShape* shape;
    const btTransform& pose;
    const btConvexPolyhedron* faces;
    btVector3 centre;  // of the bounding sphere (margin included), in the world
    btScalar radius;
};

// Whether the bounding spheres of the two shapes with their margins are apart: then so are the
// shapes.
bool SpheresApart(const Placed& a, const Placed& b) {
    return a.centre.distance2(b.centre) > (a.radius + b.radius) * (a.radius + b.radius);
}

// Whether b, within its bounding sphere, lies so far outside a face of a that the cores are
// farther apart than the margins close: each point of b's core is then more than b's margin
// over the face, and a's core lies a's margin under it.
bool FaceSeparates(const Placed& a, const Placed& b) {
    return a.faces != nullptr &&
           HeightOverCore(*a.faces, 0, a.pose.invXform(b.centre)) > b.radius + b.shape->getMargin();
}

// Whether b's origin, a point of b's core, lies inside a's core: then the cores overlap.
bool CoreHoldsOriginOf(const Placed& a, const Placed& b) {
    return a.faces != nullptr && CoreHoldsOrigin(b.shape) &&
           HeightOverCore(*a.faces, a.shape->getMargin(), a.pose.invXform(b.pose.getOrigin())) <= 0;
}

// Whether the two overlap at their poses after the sub-step. The manifold's points were found
// before the bodies moved, and they linger until the shapes are a contact distance apart, so a
// shape would be reported leaving late; convex shapes are measured again instead.
bool OverlapsNow(const btCollisionObject& a, const btCollisionObject& b,
                 const btPersistentManifold& manifold) {
    const btCollisionShape* shapeA = a.getCollisionShape();
    const btCollisionShape* shapeB = b.getCollisionShape();
    if (shapeA->isConvex() && shapeB->isConvex()) {
        const btTransform& poseA = a.getWorldTransform();
        const btTransform& poseB = b.getWorldTransform();
        // The clear cases without the distance search: the pairs of a trigger crowded with
        // bodies, or of bodies crowding a large trigger, are mostly one or the other.
        const Placed placedA(a), placedB(b);
        if (SpheresApart(placedA, placedB) || FaceSeparates(placedA, placedB) ||
            FaceSeparates(placedB, placedA))
            return false;
        if (CoreHoldsOriginOf(placedA, placedB) || CoreHoldsOriginOf(placedB, placedA)) return true;
        // The distance of the cores, the shapes without their margins: no penetration depth
        // is needed, only whether the margins close the gap.
        auto* convexA = static_cast<const btConvexShape*>(shapeA);
        auto* convexB = static_cast<const btConvexShape*>(shapeB);
        btGjkEpaSolver2::sResults cores;
        if (!btGjkEpaSolver2::Distance(convexA, poseA, convexB, poseB,
                                       poseB.getOrigin() - poseA.getOrigin(), cores))
            return true;  // the cores overlap (or touch, where the solver gives up)
        return cores.distance <= convexA->getMargin() + convexB->getMargin();
    }
    for (int p = 0; p < manifold.getNumContacts(); ++p)
        if (manifold.getContactPoint(p).getDistance() <= 0) return true;
    return false;
}

}  // namespace

void EventScanner::scan(btCollisionDispatcher& dispatcher, std::uint64_t step,
                        btScalar touchDistance, bool reportStarts,
                        std::vector<QueuedEvent>& queue) {
    int count = dispatcher.getNumManifolds();
    for (int i = 0; i < count; ++i) {
        const btPersistentManifold& manifold = *dispatcher.getManifoldByIndexInternal(i);
        const NxShape* shape0 = ShapeOf(manifold.getBody0());
        const NxShape* shape1 = ShapeOf(manifold.getBody1());
        if (shape0 == nullptr || shape1 == nullptr) continue;
        bool trigger0 = IsTrigger(shape0);
        bool trigger1 = IsTrigger(shape1);
        if (trigger0 && trigger1) continue;
        if (trigger0 || trigger1) {
            scanTrigger(manifold, trigger0, step);
        } else if (manifold.getNumContacts() > 0) {
            scanContact(manifold, step, touchDistance, reportStarts, queue);
        }
    }
    contacts_.expire(step, [](NxShape*, NxShape*) {});
    // Leaves before enters: a shape that left one trigger and entered another within the same
    // sub-step was never inside both.
    triggers_.expire(step, [&queue](NxShape* trigger, NxShape* other) {
        if (trigger->getFlag(NX_TRIGGER_ON_LEAVE))
            QueueTriggerEvent(queue, trigger, other, NX_TRIGGER_FLAG_LEAVE);
    });
    queue.insert(queue.end(), enters_.begin(), enters_.end());
    enters_.clear();
}

void EventScanner::scanTrigger(const btPersistentManifold& manifold, bool firstIsTrigger,
                               std::uint64_t step) {
    const btCollisionObject* trigger = firstIsTrigger ? manifold.getBody0() : manifold.getBody1();
    const btCollisionObject* other = firstIsTrigger ? manifold.getBody1() : manifold.getBody0();
    if (other->isStaticOrKinematicObject()) return;
    if (!OverlapsNow(*trigger, *other, manifold)) return;
    NxShape* triggerShape = ShapeOf(trigger);
    NxShape* otherShape = ShapeOf(other);
    std::uint64_t key = PairTracker::key(SerialOf(trigger), SerialOf(other));
    if (!triggers_.touch(key, step, triggerShape, otherShape)) return;
    if (triggerShape->getFlag(NX_TRIGGER_ON_ENTER))
        QueueTriggerEvent(enters_, triggerShape, otherShape, NX_TRIGGER_FLAG_ENTER);
}

void EventScanner::scanContact(const btPersistentManifold& manifold, std::uint64_t step,
                               btScalar touchDistance, bool reportStart,
                               std::vector<QueuedEvent>& queue) {
    int deepest = 0;
    for (int p = 1; p < manifold.getNumContacts(); ++p)
        if (manifold.getContactPoint(p).getDistance() <
            manifold.getContactPoint(deepest).getDistance())
            deepest = p;
    if (manifold.getContactPoint(deepest).getDistance() > touchDistance) return;

    const btCollisionObject* object0 = manifold.getBody0();
    const btCollisionObject* object1 = manifold.getBody1();
    NxU32 serial0 = SerialOf(object0), serial1 = SerialOf(object1);
    std::uint64_t key =
        serial0 < serial1 ? PairTracker::key(serial0, serial1) : PairTracker::key(serial1, serial0);
    NxShape* shape0 = ShapeOf(object0);
    NxShape* shape1 = ShapeOf(object1);
    if (!contacts_.touch(key, step, shape0, shape1) || !reportStart) return;

    // The engine's normal points from the second object towards the first: the reported
    // normal thus points from the touched object towards actors[0].
    QueuedEvent& event = queue.emplace_back();
    event.isContact = true;
    event.cancelled = false;
    event.actors[0] = &shape0->getActor();
    event.actors[1] = &shape1->getActor();
    event.shapePair = NxContactShapePair{{shape0, shape1}, 0, 1};
    event.patch = NxContactPatch{ToNx(manifold.getContactPoint(deepest).m_normalWorldOnB), 0, 0};
    for (int p = 0; p < manifold.getNumContacts(); ++p) {
        const btManifoldPoint& point = manifold.getContactPoint(p);
        if (point.getDistance() > touchDistance) continue;
        event.points[event.patch.numPoints++] =
            NxContactPoint{ToNx(point.getPositionWorldOnB()), point.getDistance()};
    }
}

void EventScanner::forget(NxU32 serial) {
    contacts_.forget(serial);
    triggers_.forget(serial);
}

void DeliverEvents(std::vector<QueuedEvent>& queue, NxUserContactReport* contactReport,
                   NxUserTriggerReport* triggerReport) {
    // By index: a report may release actors, which cancels their later events in place.
    for (size_t i = 0; i < queue.size(); ++i) {
        if (queue[i].cancelled) continue;
        if (queue[i].isContact) {
            if (contactReport == nullptr) continue;
            QueuedEvent event = queue[i];
            NxContactStream stream;
            stream.pairs = &event.shapePair;
            stream.numPairs = 1;
            stream.patches = &event.patch;
            stream.points = event.points;
            NxContactPair pair;
            pair.actors[0] = event.actors[0];
            pair.actors[1] = event.actors[1];
            pair.stream = &stream;
            contactReport->onContactNotify(pair, NX_NOTIFY_ON_START_TOUCH);
        } else if (triggerReport != nullptr) {
            QueuedEvent event = queue[i];
            triggerReport->onTrigger(*event.triggerShape, *event.otherShape, event.status);
        }
    }
    queue.clear();
}

}  // namespace nx
