// The view frustum, built geometrically from the camera's position, viewing direction and up
// vector and the perspective values, for culling models by their bounding spheres. One global
// object, `frustum`, serves the whole run.
#pragma once

#include "NxVec3.h"

class Plane {
public:
    // Stores `normal` as it is and d = -(normal . point).
    void Set(const NxVec3& normal, const NxVec3& point);
    // Signed distance, positive on the side the normal points to. A zero normal reports
    // "Error: Div by Zero. Plane has invalid normal" and gives the smallest normalised float.
    float Distance(const NxVec3& point) const;

    NxVec3 normal;
    float d = 0;
};

class Frustum {
public:
    // Vertical field of view in degrees, aspect ratio width / height, near and far distances.
    void SetPerspective(float fovy, float ratio, float nearDistance, float farDistance);
    // Camera position, look-at point and up vector. Meaningful only after SetPerspective.
    void SetCamera(float px, float py, float pz, float lx, float ly, float lz, float ux, float uy,
                   float uz);
    // False only when the sphere lies wholly outside one plane; a straddling sphere is inside.
    bool SphereInFrustum(const NxVec3& centre, float radius) const;
    // Draws an origin marker, the frustum's faces filled and outlined, and the plane normals,
    // then restores the polygon mode of the wireframe switch.
    void DebugDraw() const;

private:
    enum PlaneIndex { TOP, BOTTOM, LEFT, RIGHT, NEAR_PLANE, FAR_PLANE, PLANE_COUNT };

    float nearHalfHeight_ = 0, nearHalfWidth_ = 0, farHalfHeight_ = 0, farHalfWidth_ = 0;
    float nearDistance_ = 0, farDistance_ = 0;
    NxVec3 position_, lookAt_;
    NxVec3 zAxis_, yAxis_, xAxis_;  // viewing direction, up and right, unit length
    NxVec3 nearCentre_, farCentre_;
    NxVec3 farTopLeft_, farTopRight_, farBottomLeft_, farBottomRight_;
    NxVec3 nearTopLeft_, nearTopRight_, nearBottomLeft_, nearBottomRight_;
    Plane planes_[PLANE_COUNT];
};

extern Frustum frustum;
