#include "internal/pair_tracker.h"

#include <algorithm>

namespace nx {

bool PairTracker::touch(std::uint64_t key, std::uint64_t step, NxShape* first, NxShape* second) {
    auto at = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Entry& entry, std::uint64_t k) { return entry.key < k; });
    if (at != entries_.end() && at->key == key) {
        at->lastStep = step;
        return false;
    }
    entries_.insert(at, Entry{key, step, first, second});
    return true;
}

void PairTracker::forget(NxU32 serial) {
    std::erase_if(entries_, [serial](const Entry& entry) {
        return static_cast<NxU32>(entry.key >> 32) == serial ||
               static_cast<NxU32>(entry.key) == serial;
    });
}

}  // namespace nx
