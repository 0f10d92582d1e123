// The world bounds: four static planes that enclose |x| <= 1000 and |z| <= 1000, open upwards.
#pragma once

#include "core/object.h"

class NxScene;

class GroundPlane : public Object {
public:
    void createBounds(NxScene* scene);
    void draw() override;  // a grey quad at y = 0; the bounds are in no draw list
    void onContact(Object* other) override;
};

extern GroundPlane groundPlane;

// A debug marker: three 10-unit axes in red, green and blue from its position.
class CoordCross : public Object {
public:
    CoordCross() = default;
    CoordCross(float x, float y, float z) : position{x, y, z} {}
    void draw() override;

    float position[3] = {0, 0, 0};
};
