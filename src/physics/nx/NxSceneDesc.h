// Scene descriptor. The scene advances in fixed sub-steps of maxTimestep seconds, at most
// maxIter of them per simulate call; time beyond that is dropped.
#pragma once

#include "NxVec3.h"

enum NxSimulationType {
    NX_SIMULATION_SW = 0,
};

class NxSceneDesc {
public:
    NxVec3 gravity;
    NxSimulationType simType = NX_SIMULATION_SW;
    NxReal maxTimestep = 1.0f / 60.0f;
    NxU32 maxIter = 8;

    void setToDefault() { *this = NxSceneDesc(); }
};
