#include "objects/ground_plane.h"

#include <GL/gl.h>

#include "NxPhysics.h"

GroundPlane groundPlane;

void GroundPlane::createBounds(NxScene* scene) {
    type = OBJECT_TYPE_MODEL;
    const NxVec3 normals[4] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const NxVec3& normal : normals) {
        // A plane is solid on the side opposite its normal.
        NxPlaneShapeDesc planeDesc;
        planeDesc.normal = normal;
        planeDesc.d = -1000.0f;
        NxActorDesc actorDesc;
        actorDesc.shapes.pushBack(&planeDesc);
        NxActor* actor = scene->createActor(actorDesc);
        actor->userData = this;
    }
}

void GroundPlane::draw() {
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_QUADS);
    glVertex3f(-1000, 0, -1000);
    glVertex3f(-1000, 0, 1000);
    glVertex3f(1000, 0, 1000);
    glVertex3f(1000, 0, -1000);
    glEnd();
}

void GroundPlane::onContact(Object*) {}

void CoordCross::draw() {
    const float* p = position;
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(p[0], p[1], p[2]);
    glVertex3f(p[0] + 10, p[1], p[2]);
    glColor3f(0, 1, 0);
    glVertex3f(p[0], p[1], p[2]);
    glVertex3f(p[0], p[1] + 10, p[2]);
    glColor3f(0, 0, 1);
    glVertex3f(p[0], p[1], p[2]);
    glVertex3f(p[0], p[1], p[2] + 10);
    glEnd();
}
