// Projectiles: short-lived dynamic actors launched by the weapons with a one-time push along the
// firing direction, removed by the projectile pass when their lifetime runs out.
#pragma once

#include "objects/model_object.h"

class NxScene;

class Projectile : public ModelObject {
public:
    void onContact(Object* other) override;
    void setPose(const NxVec3& position, const NxVec3& angles) override;

    double lifetime = 0;  // seconds left

protected:
    // How one kind of projectile is built and launched.
    struct Kind {
        const char* visualModel;
        const char* physicsModel;  // the model file handed to the actor builder
        const char* mesh;          // the cooked convex mesh
        int extra;
        bool ccdSkeleton;
        bool straight;  // gravity off and rotation frozen: it flies straight
        float linearDamping, angularDamping;
        float launchForce;  // along the local +Z axis, the firing direction
        double lifetime;
    };
    Projectile(NxScene* scene, const float mount[16], const Kind& kind);
};

class Bullet : public Projectile {
public:
    Bullet(NxScene* scene, const float mount[16]);
    void onContact(Object* other) override;
};

class Rocket : public Projectile {
public:
    Rocket(NxScene* scene, const float mount[16]);
    void onContact(Object* other) override;
};

class Grenade : public Projectile {
public:
    Grenade(NxScene* scene, const float mount[16]);
    void onContact(Object* other) override;
    void releaseActor() override;  // a grenade explodes when it goes
};
