// The reference scene directly on the engine: the same world settings and the same collision
// shapes as the layer builds, without the layer's reports, force spreading or pose bookkeeping.
#include <cmath>
#include <cstdio>

#include "bench_side.h"
#include "internal/bullet_convert.h"
#include "internal/hull_builder.h"

namespace bench {

namespace {

constexpr btScalar kMargin = 0.01f;

std::unique_ptr<nx::ConvexMeshData> Hull(float half) {
    std::vector<NxVec3> points = BoxCorners(half, half, half);
    nx::CookedHull hull;
    nx::ComputeHull(points.data(), 8, sizeof(NxVec3), hull);
    return nx::BuildConvexMesh(hull, kMargin);
}

btScalar Damping(float rate) {
    return 1.0f - std::exp(-rate);
}

class DirectSide : public BenchSide {
public:
    explicit DirectSide(const ReferenceScene& reference);
    ~DirectSide() override {
        for (auto& body : bodies_) world_.world.removeRigidBody(body.get());
    }
    void frame(int index) override;
    void summary() const override;

private:
    btRigidBody* add(btCollisionShape* shape, const btVector3& position, btScalar mass,
                     const btVector3& inertia, int group = 1);

    const ReferenceScene& reference_;
    nx::BulletWorld world_{btVector3(0, kGravity, 0)};
    std::unique_ptr<nx::TriangleMeshData> level_;
    std::unique_ptr<nx::ConvexMeshData> box_, trigger_, shot_;
    btSphereShape ball_{kAvatarRadius};
    std::vector<std::unique_ptr<btStaticPlaneShape>> planes_;
    std::vector<std::unique_ptr<btRigidBody>> bodies_;
    btRigidBody* avatar_;
    std::vector<btRigidBody*> projectiles_;
    std::vector<btVector3> launches_;
};

DirectSide::DirectSide(const ReferenceScene& reference) : reference_(reference) {
    world_.world.getSolverInfo().m_restitutionVelocityThreshold = 10.0f;
    world_.world.getDispatchInfo().m_useContinuous = true;

    btScalar ballMass = 4.0f / 3.0f * SIMD_PI * kAvatarRadius * kAvatarRadius * kAvatarRadius;
    btVector3 ballInertia;
    ball_.calculateLocalInertia(ballMass, ballInertia);
    avatar_ = add(&ball_, nx::ToBt(reference.avatarStart), ballMass, ballInertia);
    avatar_->setDamping(Damping(2.0f), Damping(10.0f));
    avatar_->setCcdMotionThreshold(0.15f);
    avatar_->setCcdSweptSphereRadius(0.12f);

    level_ = nx::BuildTriangleMesh(reference.level);
    nx::MarkAsEdgeAwareMesh(*add(level_->shape.get(), btVector3(0, 0, 0), 0, btVector3(0, 0, 0)));

    box_ = Hull(kBoxHalf);
    btScalar boxMass = box_->hull.volume;
    for (const NxVec3& start : reference.boxStarts)
        add(box_->shape.get(), nx::ToBt(start), boxMass,
            nx::ToBt(box_->hull.inertiaPerMass) * boxMass);

    trigger_ = Hull(kTriggerHalf);
    for (const NxVec3& position : reference.triggerPositions) {
        btRigidBody* trigger =
            add(trigger_->shape.get(), nx::ToBt(position), 0, btVector3(0, 0, 0), 1 << 2);
        trigger->setCollisionFlags(trigger->getCollisionFlags() |
                                   btCollisionObject::CF_NO_CONTACT_RESPONSE);
    }

    shot_ = Hull(kProjectileHalf);
    btScalar shotMass = shot_->hull.volume;
    for (int i = 0; i < kProjectiles; ++i) {
        btRigidBody* shot = add(shot_->shape.get(), nx::ToBt(reference.launch(i, 0).position),
                                shotMass, nx::ToBt(shot_->hull.inertiaPerMass) * shotMass, 1 << 2);
        shot->setFlags(shot->getFlags() | BT_DISABLE_WORLD_GRAVITY);
        shot->setGravity(btVector3(0, 0, 0));
        shot->setAngularFactor(btVector3(0, 0, 0));
        shot->setCcdMotionThreshold(0.02f);
        shot->setCcdSweptSphereRadius(0.016f);
        projectiles_.push_back(shot);
    }
    launches_.resize(kProjectiles);

    for (btVector3 normal :
         {btVector3(1, 0, 0), btVector3(-1, 0, 0), btVector3(0, 0, 1), btVector3(0, 0, -1)}) {
        planes_.push_back(std::make_unique<btStaticPlaneShape>(normal, -kBoundDistance));
        add(planes_.back().get(), btVector3(0, 0, 0), 0, btVector3(0, 0, 0));
    }
}

btRigidBody* DirectSide::add(btCollisionShape* shape, const btVector3& position, btScalar mass,
                             const btVector3& inertia, int group) {
    btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, shape, inertia);
    info.m_startWorldTransform.setIdentity();
    info.m_startWorldTransform.setOrigin(position);
    info.m_restitution = 0.6f;
    info.m_friction = 0.9f;
    bodies_.push_back(std::make_unique<btRigidBody>(info));
    world_.world.addRigidBody(bodies_.back().get(), group, -1);
    return bodies_.back().get();
}

void DirectSide::frame(int index) {
    if (index % kRelaunchFrames == 0) {
        for (int i = 0; i < kProjectiles; ++i) {
            Launch launch = reference_.launch(i, index / kRelaunchFrames);
            btRigidBody* shot = projectiles_[i];
            btTransform pose(btQuaternion::getIdentity(), nx::ToBt(launch.position));
            shot->setWorldTransform(pose);
            shot->setInterpolationWorldTransform(pose);
            shot->setLinearVelocity(btVector3(0, 0, 0));
            shot->activate(true);
            world_.world.updateSingleAabb(shot);
            // The launch acts for one step, as the layer spends a one-time force.
            shot->applyCentralForce(nx::ToBt(launch.direction) * kLaunchForce);
        }
    }
    avatar_->applyCentralForce(nx::ToBt(ReferenceScene::avatarPush(index)));
    avatar_->activate(true);
    world_.world.stepSimulation(kStep, 0, kStep);
}

void DirectSide::summary() const {
    const btVector3& p = avatar_->getWorldTransform().getOrigin();
    std::printf("  direct: %d contact manifolds now, avatar at (%.1f, %.1f, %.1f)\n",
                world_.dispatcher.getNumManifolds(), p.x(), p.y(), p.z());
}

}  // namespace

std::unique_ptr<BenchSide> MakeDirectSide(const ReferenceScene& scene) {
    return std::make_unique<DirectSide>(scene);
}

}  // namespace bench
