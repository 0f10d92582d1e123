// A scene object with a visual model of the model store and a physics actor from a cooked mesh.
#pragma once

#include <string>

#include "core/object.h"

class ActorHolder;
class Model;
class NxScene;
class Trigger;

class ModelObject : public Object {
public:
    ModelObject();
    void draw() override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;
    void setMatrix(const float m[16]) override;
    float* getMatrix() override;
    void release() override;
    NxVec3 getPosition() override;
    virtual void onRelease();
    virtual void releaseActor();

    // Loads "models\<name>.ms3d" through the model store.
    void setModel(const char* name);
    // Builds the actor from the cooked convex or concave mesh of `physicModel`; density 0 makes
    // it static.
    void createActor(const char* physicModel, NxScene* scene, float density, bool concave,
                     int extra);

    Model* model = nullptr;
    ActorHolder* body = nullptr;
    std::string name;  // the visual model's name, empty until setModel
    // One of the level file's models, which the frame draws in a loop of their own.
    bool levelModel = false;
};

// A model object that owns trigger volumes and hears their events.
class TriggerModelObject : public ModelObject {
public:
    virtual void onTriggerEnter(Trigger* trigger, Object* other);
    virtual void onTriggerLeave(Trigger* trigger, Object* other);
};

// The model store's model for "models\<name>.ms3d".
Model* GetModelByName(const char* name);
