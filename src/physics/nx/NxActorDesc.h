// Actor and body descriptors. An actor without a body is static; with a body it is dynamic,
// its mass following from `density` and its shape's volume.
#pragma once

#include "NxArray.h"
#include "NxMat34.h"
#include "NxShapeDesc.h"

enum NxBodyFlag {
    NX_BF_DISABLE_GRAVITY = 1 << 0,
    NX_BF_FROZEN_POS_X = 1 << 1,
    NX_BF_FROZEN_POS_Y = 1 << 2,
    NX_BF_FROZEN_POS_Z = 1 << 3,
    NX_BF_FROZEN_ROT_X = 1 << 4,
    NX_BF_FROZEN_ROT_Y = 1 << 5,
    NX_BF_FROZEN_ROT_Z = 1 << 6,
    NX_BF_FROZEN_POS = NX_BF_FROZEN_POS_X | NX_BF_FROZEN_POS_Y | NX_BF_FROZEN_POS_Z,
    NX_BF_FROZEN_ROT = NX_BF_FROZEN_ROT_X | NX_BF_FROZEN_ROT_Y | NX_BF_FROZEN_ROT_Z,
    NX_BF_FROZEN = NX_BF_FROZEN_POS | NX_BF_FROZEN_ROT,
    NX_BF_KINEMATIC = 1 << 7,
};

class NxBodyDesc {
public:
    // Kept for the record: bodies fall asleep after resting for two seconds below the engine's
    // velocity thresholds, and every force, pose or target wakes them (see NxActor.cpp).
    NxReal sleepEnergyThreshold = 0.005f;
    NxReal linearDamping = 0;       // 1/s, velocity decays as exp(-linearDamping * t)
    NxReal angularDamping = 0.05f;  // 1/s, likewise for the angular velocity

    void setToDefault() { *this = NxBodyDesc(); }
};

class NxActorDesc {
public:
    NxArray<NxShapeDesc*> shapes;  // exactly one shape per actor
    const NxBodyDesc* body = nullptr;
    NxReal density = 0;  // mass per unit volume; > 0 for a dynamic actor
    NxMat34 globalPose;
    void* userData = nullptr;

    void setToDefault() { *this = NxActorDesc(); }
};
