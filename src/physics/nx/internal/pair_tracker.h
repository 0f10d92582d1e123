// Remembers which pairs of shapes touched (or overlapped) in recent sub-steps, so that each
// sub-step's scan tells new pairs from continuing ones and finds the pairs that ended.
//
// Pairs are keyed by the serial numbers of their actors (creation order), never by addresses:
// the order of ended pairs is the same in every run, and a new actor at a released actor's
// address is never taken for the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "NxSimpleTypes.h"

class NxShape;

namespace nx {

class PairTracker {
public:
    // A pair counts as continuing while it has been apart for at most graceSteps sub-steps.
    explicit PairTracker(NxU32 graceSteps) : graceSteps_(graceSteps) {}

    static std::uint64_t key(NxU32 first, NxU32 second) {
        return (static_cast<std::uint64_t>(first) << 32) | second;
    }

    // Marks the pair as touching in `step`; true when it starts touching.
    bool touch(std::uint64_t key, std::uint64_t step, NxShape* first, NxShape* second);

    // Forgets the pairs that have been apart for longer than the grace, calling
    // ended(first, second) for each in key order.
    template <class Ended>
    void expire(std::uint64_t step, Ended ended) {
        size_t kept = 0;
        for (const Entry& entry : entries_) {
            if (step - entry.lastStep > graceSteps_) {
                ended(entry.first, entry.second);
            } else {
                entries_[kept++] = entry;
            }
        }
        entries_.resize(kept);
    }

    // Forgets every pair with this actor, silently.
    void forget(NxU32 serial);

private:
    struct Entry {
        std::uint64_t key;
        std::uint64_t lastStep;
        NxShape* first;
        NxShape* second;
    };

    NxU32 graceSteps_;
    std::vector<Entry> entries_;  // sorted by key
};

}  // namespace nx
