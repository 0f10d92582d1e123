#include "objects/actor_pose.h"

void GetActorMatrix(NxActor* actor, float m[16]) {
    NxMat34 pose = actor->getGlobalPose();
    pose.getColumnMajor44(m);
}

void SetActorMatrix(NxActor* actor, const float m[16]) {
    NxMat34 pose;
    pose.setColumnMajor44(m);
    actor->setGlobalPose(pose);
}

void SetActorPose(NxActor* actor, const NxVec3& position, const NxVec3& angles) {
    NxMat33 rotY, rotX;
    rotY.rotY(angles.y);
    rotX.rotX(angles.x);
    actor->setGlobalOrientation(rotY * rotX);
    actor->setGlobalPosition(position);
}
