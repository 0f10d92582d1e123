// An actor and the scene it lives in. Built only from cooked mesh files; destroying the holder
// releases the actor from its scene, once.
#pragma once

#include "NxPhysics.h"

class Model;
class Object;

class ActorHolder {
public:
    // A convex-hull actor from "models\<name>.convex"; density 0 makes it static. `model` and
    // `extra` are accepted for the callers' sake and not read.
    static ActorHolder* createConvex(NxScene* scene, Object* owner, Model* model, const char* name,
                                     float density, int extra);
    // The same with a triangle mesh from "models\<name>.concave".
    static ActorHolder* createConcave(NxScene* scene, Object* owner, Model* model, const char* name,
                                      float density, int extra);
    ~ActorHolder();
    ActorHolder(const ActorHolder&) = delete;
    ActorHolder& operator=(const ActorHolder&) = delete;

    void addLocalForce(const NxVec3& force);

    NxActor* actor = nullptr;
    NxScene* scene = nullptr;

private:
    ActorHolder() = default;
    static ActorHolder* create(NxScene* scene, Object* owner, const char* name, float density,
                               bool concave);
};

// A CCD skeleton from all vertices and triangles of a model of the model store, built once per
// model and shared.
NxCCDSkeleton* buildCCDSkeleton(NxScene* scene, Model* model);
