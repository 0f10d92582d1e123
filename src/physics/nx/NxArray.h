// The physics SDK's growable array, as descriptors use it (shapes.pushBack(&shapeDesc)).
#pragma once

#include <vector>

#include "NxSimpleTypes.h"

template <class T>
class NxArray {
public:
    void pushBack(const T& value) { items_.push_back(value); }
    void clear() { items_.clear(); }
    NxU32 size() const { return static_cast<NxU32>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    T& operator[](NxU32 i) { return items_[i]; }
    const T& operator[](NxU32 i) const { return items_[i]; }

private:
    std::vector<T> items_;
};
