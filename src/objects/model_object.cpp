#include "objects/model_object.h"

#include <cstdio>
#include <string>
#include <unordered_set>

#include "physics/actor_holder.h"
#include "render/model.h"
#include "objects/actor_pose.h"

Model* GetModelByName(const char* name) {
    // The model store keeps the name it was asked for, so every path stays allocated for the run.
    static std::unordered_set<std::string> paths;
    char path[512];
    std::snprintf(path, sizeof path, "models\\%s.ms3d", name);
    return GetModel(paths.insert(path).first->c_str());
}

ModelObject::ModelObject() {
    type = OBJECT_TYPE_MODEL;
}

void ModelObject::draw() {
    float m[16];
    GetActorMatrix(body->actor, m);
    model->Render(m);
}

void ModelObject::setPose(const NxVec3& position, const NxVec3& angles) {
    SetActorPose(body->actor, position, angles);
}

void ModelObject::setMatrix(const float m[16]) {
    SetActorMatrix(body->actor, m);
}

float* ModelObject::getMatrix() {
    float* m = new float[16];
    GetActorMatrix(body->actor, m);
    return m;
}

void ModelObject::release() {
    releaseActor();
    onRelease();
}

NxVec3 ModelObject::getPosition() {
    return body->actor->getGlobalPosition();
}

void ModelObject::onRelease() {}

void ModelObject::releaseActor() {
    delete body;
    body = nullptr;
}

void ModelObject::setModel(const char* modelName) {
    name = modelName;
    model = GetModelByName(modelName);
}

void ModelObject::createActor(const char* physicModel, NxScene* scene, float density, bool concave,
                              int extra) {
    Model* mesh = (!name.empty() && name == physicModel) ? model : GetModelByName(physicModel);
    body = concave ? ActorHolder::createConcave(scene, this, mesh, physicModel, density, extra)
                   : ActorHolder::createConvex(scene, this, mesh, physicModel, density, extra);
    body->actor->userData = this;
}

void TriggerModelObject::onTriggerEnter(Trigger*, Object*) {}
void TriggerModelObject::onTriggerLeave(Trigger*, Object*) {}
