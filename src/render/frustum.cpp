#include "render/frustum.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "core/globals.h"

Frustum frustum;

namespace {

NxVec3 Normalized(NxVec3 v) {
    v.normalize();
    return v;
}

void Vertex(const NxVec3& v) {
    glVertex3f(v.x, v.y, v.z);
}

void Line(const NxVec3& from, const NxVec3& direction) {
    Vertex(from);
    Vertex(from + direction);
}

}  // namespace

void Plane::Set(const NxVec3& planeNormal, const NxVec3& point) {
    normal = planeNormal;
    d = -normal.dot(point);
}

float Plane::Distance(const NxVec3& point) const {
    float length = normal.magnitude();
    if (length == 0) {
        std::printf("Error: Div by Zero. Plane has invalid normal");
        return 1.17549435e-38f;
    }
    return (normal.dot(point) + d) / length;
}

void Frustum::SetPerspective(float fovy, float ratio, float nearDistance, float farDistance) {
    nearDistance_ = nearDistance;
    farDistance_ = farDistance;
    float t = std::tan(fovy * 0.017453292519943295 * 0.5);
    nearHalfHeight_ = nearDistance * t;
    nearHalfWidth_ = nearHalfHeight_ * ratio;
    farHalfHeight_ = farDistance * t;
    farHalfWidth_ = farHalfHeight_ * ratio;
}

void Frustum::SetCamera(float px, float py, float pz, float lx, float ly, float lz, float ux,
                        float uy, float uz) {
    position_.set(px, py, pz);
    lookAt_.set(lx, ly, lz);
    zAxis_ = Normalized(lookAt_ - position_);
    xAxis_ = Normalized(zAxis_.cross(NxVec3(ux, uy, uz)));
    yAxis_ = xAxis_.cross(zAxis_);

    nearCentre_ = position_ + zAxis_ * nearDistance_;
    farCentre_ = position_ + zAxis_ * farDistance_;
    const NxVec3 farUp = yAxis_ * farHalfHeight_, farRight = xAxis_ * farHalfWidth_;
    const NxVec3 nearUp = yAxis_ * nearHalfHeight_, nearRight = xAxis_ * nearHalfWidth_;
    farTopLeft_ = farCentre_ + farUp - farRight;
    farTopRight_ = farCentre_ + farUp + farRight;
    farBottomLeft_ = farCentre_ - farUp - farRight;
    farBottomRight_ = farCentre_ - farUp + farRight;
    nearTopLeft_ = nearCentre_ + nearUp - nearRight;
    nearTopRight_ = nearCentre_ + nearUp + nearRight;
    nearBottomLeft_ = nearCentre_ - nearUp - nearRight;
    nearBottomRight_ = nearCentre_ - nearUp + nearRight;

    // Each side plane passes through the camera and the middle of one edge of the near
    // rectangle; its normal is perpendicular to both the edge and the ray to it, pointing in.
    planes_[NEAR_PLANE].Set(zAxis_, nearCentre_);
    planes_[FAR_PLANE].Set(-zAxis_, farCentre_);

    NxVec3 rightPoint = nearCentre_ + nearRight;
    planes_[RIGHT].Set(yAxis_.cross(Normalized(rightPoint - position_)), rightPoint);
    // The right plane's normal is drawn while it is made. The camera sets the frustum during the
    // game step, before the frame is cleared, so the line never shows in a finished frame.
    glBegin(GL_LINES);
    glColor3f(1, 0, 1);
    Line(rightPoint, planes_[RIGHT].normal);
    glEnd();

    NxVec3 leftPoint = nearCentre_ - nearRight;
    planes_[LEFT].Set(Normalized(leftPoint - position_).cross(yAxis_), leftPoint);
    NxVec3 topPoint = nearCentre_ + nearUp;
    planes_[TOP].Set(Normalized(topPoint - position_).cross(xAxis_), topPoint);
    NxVec3 bottomPoint = nearCentre_ - nearUp;
    planes_[BOTTOM].Set(xAxis_.cross(Normalized(bottomPoint - position_)), bottomPoint);
}

bool Frustum::SphereInFrustum(const NxVec3& centre, float radius) const {
    for (const Plane& plane : planes_)
        if (plane.Distance(centre) < -radius) return false;
    return true;
}

void Frustum::DebugDraw() const {
    // The six faces, two triangles each, wound counter-clockwise as seen from outside.
    const NxVec3* const faces[6][4] = {
        {&nearBottomLeft_, &nearBottomRight_, &nearTopRight_, &nearTopLeft_},
        {&farBottomRight_, &farBottomLeft_, &farTopLeft_, &farTopRight_},
        {&nearTopLeft_, &nearTopRight_, &farTopRight_, &farTopLeft_},
        {&farBottomLeft_, &farBottomRight_, &nearBottomRight_, &nearBottomLeft_},
        {&farBottomLeft_, &nearBottomLeft_, &nearTopLeft_, &farTopLeft_},
        {&nearBottomRight_, &farBottomRight_, &farTopRight_, &nearTopRight_},
    };
    auto drawFaces = [&faces] {
        glBegin(GL_TRIANGLES);
        for (const auto& face : faces) {
            for (int corner : {0, 1, 2, 0, 2, 3}) Vertex(*face[corner]);
        }
        glEnd();
    };

    glPushMatrix();
    glColor3f(1, 1, 1);
    glBegin(GL_TRIANGLES);
    glVertex3f(1, 0, 0);
    glVertex3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glEnd();
    drawFaces();

    glColor3f(1, 0, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    drawFaces();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    const NxVec3 nearRight = xAxis_ * nearHalfWidth_, nearUp = yAxis_ * nearHalfHeight_;
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    Line(nearCentre_, planes_[NEAR_PLANE].normal);
    Line(farCentre_, planes_[FAR_PLANE].normal);
    glColor3f(0, 1, 0);
    Line(nearCentre_ + nearRight, planes_[RIGHT].normal);
    Line(nearCentre_ - nearRight, planes_[LEFT].normal);
    glColor3f(0, 0, 1);
    Line(nearCentre_ + nearUp, planes_[TOP].normal);
    Line(nearCentre_ - nearUp, planes_[BOTTOM].normal);
    glEnd();
    glPopMatrix();

    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
}
