// After every sub-step the scene scans the engine's contact manifolds for pairs that start
// touching and for shapes entering or leaving triggers, and queues the reports until
// fetchResults delivers them, in sub-step order.
//
// A pair touches when its deepest point is within the skin width (the engine also keeps points
// a little apart, and resting points hover around zero, so "overlapping" would chatter). A pair
// that stops touching for at most kContactGraceSteps sub-steps and touches again is the same
// touch, so a shape skipping over a seam for a moment reports its landing once. A real bounce
// needs an impact above the bounce threshold of 10, so it rebounds at 6 or more and stays apart
// for more than 7 sub-steps under gravity 98: it is still reported.
// A shape overlaps a trigger when the two overlap at their poses after the sub-step (the
// engine's contact points describe the poses before it); only dynamic shapes are reported
// (static and kinematic ones never reach the trigger's narrow phase).
#pragma once

#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>

#include <cstdint>
#include <vector>

#include "NxContactReport.h"
#include "NxTriggerReport.h"
#include "internal/pair_tracker.h"

namespace nx {

constexpr NxU32 kContactGraceSteps = 4;
constexpr NxU32 kMaxPointsPerManifold = 4;

struct QueuedEvent {
    bool isContact;
    bool cancelled;
    // Contacts.
    NxActor* actors[2];
    NxContactShapePair shapePair;
    NxContactPatch patch;
    NxContactPoint points[kMaxPointsPerManifold];
    // Triggers.
    NxShape* triggerShape;
    NxShape* otherShape;
    NxTriggerFlag status;
};

class EventScanner {
public:
    // Scans after sub-step `step`, appending its reports to `queue`; touching pairs are
    // tracked either way, but only queued when reportStarts is set.
    void scan(btCollisionDispatcher& dispatcher, std::uint64_t step, btScalar touchDistance,
              bool reportStarts, std::vector<QueuedEvent>& queue);
    // Drops every pair with the actor of this serial, without reports.
    void forget(NxU32 serial);

private:
    void scanTrigger(const btPersistentManifold& manifold, bool firstIsTrigger, std::uint64_t step);
    void scanContact(const btPersistentManifold& manifold, std::uint64_t step,
                     btScalar touchDistance, bool reportStart, std::vector<QueuedEvent>& queue);

    PairTracker contacts_{kContactGraceSteps};
    PairTracker triggers_{0};
    std::vector<QueuedEvent> enters_;  // of the sub-step being scanned
};

// Hands the queued reports to the user's report objects; cancelled ones are skipped.
void DeliverEvents(std::vector<QueuedEvent>& queue, NxUserContactReport* contactReport,
                   NxUserTriggerReport* triggerReport);

}  // namespace nx
