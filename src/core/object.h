// The root of everything that lives in the level. The main loop and the physics reports drive
// objects only through these virtual operations, in this fixed order. Owners call `release` and
// then free the object; the destructor is virtual so that freeing through an `Object` pointer
// frees the whole object.
#pragma once

#include "NxVec3.h"

enum ObjectType {
    OBJECT_TYPE_MODEL = 1,
    OBJECT_TYPE_AVATAR = 2,
    OBJECT_TYPE_ENEMY = 3,
    OBJECT_TYPE_PROJECTILE = 4,
};

class Object {
public:
    virtual void draw();
    virtual void onContact(Object* other);
    virtual void setPose(const NxVec3& position, const NxVec3& angles);
    virtual void setMatrix(const float m[16]);
    // A new column-major 4x4 array that the caller frees with delete[], or null.
    virtual float* getMatrix();
    virtual void release();
    virtual NxVec3 getPosition();
    virtual ~Object() = default;

    bool expired = false;  // the list passes release, free and erase the object
    int type = 0;          // an ObjectType; 0 for objects the contact dispatch ignores
};
