#include "render/camera.h"

#include <GL/glu.h>

#include <cmath>

#include "core/globals.h"
#include "render/frustum.h"

namespace {
constexpr float kFollowDistance = 1.0f;
constexpr float kFreeLookDistance = 50.0f;
constexpr float kFreeSpeed = 0.3f;  // units per frame
}  // namespace

void Camera::init(double fovy_, double width, double height, double zNear_, double zFar_,
                  int mode_) {
    mode = mode_;
    fovy = fovy_;
    aspect = width / height;
    zNear = zNear_;
    zFar = zFar_;
    eye[0] = eye[1] = eye[2] = 0;
    pitch = yaw = 0;
    freePos[0] = freePos[1] = freePos[2] = 0;
    freeAzimuth = 0;
    freePolar = 1.57f;
    glViewport(0, 0, static_cast<int>(width), static_cast<int>(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, aspect, zNear, zFar);
    frustum.SetPerspective(static_cast<float>(fovy), static_cast<float>(aspect),
                           static_cast<float>(zNear), static_cast<float>(zFar));
    glMatrixMode(GL_MODELVIEW);
}

void Camera::setTarget(float x, float y, float z, float yaw_, float pitch_) {
    target[0] = x;
    target[1] = y;
    target[2] = z;
    yaw = yaw_;
    pitch = pitch_;
}

void Camera::moveFree(bool forward, bool left, bool backward, bool right, bool up, bool down) {
    float f = static_cast<float>(backward) - static_cast<float>(forward);
    float s = static_cast<float>(right) - static_cast<float>(left);
    float u = static_cast<float>(up) - static_cast<float>(down);
    float sinPolar = std::sin(freePolar);
    freePos[0] += sinPolar * (std::cos(freeAzimuth) * s + std::sin(freeAzimuth) * f) * kFreeSpeed;
    freePos[1] += (std::cos(freePolar) * f + u) * kFreeSpeed;
    freePos[2] += sinPolar * (std::cos(freeAzimuth) * f - std::sin(freeAzimuth) * s) * kFreeSpeed;
}

// The follow view around the target under `heading` (the yaw, or the time in orbit mode).
void Camera::lookAround(float heading) {
    eye[0] = target[0] - std::cos(pitch) * std::sin(heading) * kFollowDistance;
    eye[1] = target[1] + std::sin(pitch) * kFollowDistance + 0.5f;
    eye[2] = target[2] - std::cos(pitch) * std::cos(heading) * kFollowDistance;
    center[0] = target[0];
    center[1] = target[1] + 0.3f;
    center[2] = target[2];
    gluLookAt(eye[0], eye[1], eye[2], center[0], center[1], center[2], 0, 1, 0);
}

void Camera::look(float t) {
    switch (mode) {
        case 0:
            lookAround(yaw);
            if (frustumCulling)
                frustum.SetCamera(eye[0], eye[1], eye[2], center[0], center[1], center[2], 0, 1, 0);
            break;
        case 1:
            eye[0] = target[0];
            eye[1] = target[1] + 5.0f;
            eye[2] = target[2] - 10.0f;
            center[0] = target[0];
            center[1] = target[1];
            center[2] = target[2] + 1.0f;
            gluLookAt(eye[0], eye[1], eye[2], eye[0], eye[1], eye[2] + 1.0f, 0, 1, 0);
            if (frustumCulling)
                frustum.SetCamera(eye[0], eye[1], eye[2], eye[0], eye[1], eye[2] + 1.0f, 0, 1, 0);
            break;
        case 2:
            center[0] =
                freePos[0] - std::sin(freeAzimuth) * kFreeLookDistance * std::sin(freePolar);
            center[1] = freePos[1] - std::cos(freePolar) * kFreeLookDistance;
            center[2] =
                freePos[2] - std::cos(freeAzimuth) * kFreeLookDistance * std::sin(freePolar);
            gluLookAt(freePos[0], freePos[1], freePos[2], center[0], center[1], center[2], 0, 1, 0);
            break;
        case 3: lookAround(t); break;
        default: break;
    }
}
