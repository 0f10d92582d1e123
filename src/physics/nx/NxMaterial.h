// Surface materials. A scene's materials live in a table: index 0 is the default material that
// every shape without a material uses; created materials take the next free index (1, 2, ...).
#pragma once

#include "NxSimpleTypes.h"

namespace nx {
struct SceneCore;
}
typedef NxU16 NxMaterialIndex;

class NxMaterialDesc {
public:
    NxReal dynamicFriction = 0;
    NxReal staticFriction = 0;
    NxReal restitution = 0;

    void setToDefault() { *this = NxMaterialDesc(); }
};

class NxMaterial {
public:
    NxMaterialIndex getMaterialIndex() const { return index_; }

    // The friction of two touching shapes is the average of their dynamic frictions (the
    // engine knows one coefficient, so the static value is kept but not simulated); their
    // restitution is the average of the two restitutions. A change reaches shapes that
    // already use the material.
    void setRestitution(NxReal restitution);
    void setStaticFriction(NxReal friction) { desc_.staticFriction = friction; }
    void setDynamicFriction(NxReal friction);
    NxReal getRestitution() const { return desc_.restitution; }
    NxReal getStaticFriction() const { return desc_.staticFriction; }
    NxReal getDynamicFriction() const { return desc_.dynamicFriction; }

    // For the layer's own code.
    NxMaterial(nx::SceneCore& scene, NxMaterialIndex index, const NxMaterialDesc& desc)
        : scene_(scene), index_(index), desc_(desc) {}

private:
    nx::SceneCore& scene_;
    NxMaterialIndex index_;
    NxMaterialDesc desc_;
};
