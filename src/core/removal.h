// The removal pattern of every list pass: the list is never changed while it is walked. Phase one
// walks front to back and either collects an entry or gives it its per-step call; phase two
// handles the collected entries last-first, so that erasing one keeps the earlier iterators valid.
#pragma once

#include <vector>

template <class List, class IsDone, class Step, class Handle>
void RemovalPass(List& list, IsDone isDone, Step step, Handle handle) {
    std::vector<typename List::iterator> collected;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (isDone(*it))
            collected.push_back(it);
        else
            step(*it);
    }
    while (!collected.empty()) {
        auto it = collected.back();
        handle(*it);
        list.erase(it);
        collected.pop_back();
    }
}
