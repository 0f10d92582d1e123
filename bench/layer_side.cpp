// The reference scene through the physics layer, called as the game calls it.
#include <cstdio>

#include "NxCooking.h"
#include "NxPhysics.h"
#include "bench_side.h"
#include "memory_stream.h"

namespace bench {

namespace {

NxConvexMesh* BoxHull(NxPhysicsSDK& sdk, float half) {
    MemoryStream stream;
    NxCookConvexMesh(TriangleList{BoxCorners(half, half, half), {}}.describe<NxConvexMeshDesc>(),
                     stream);
    return sdk.createConvexMesh(stream);
}

NxCCDSkeleton* BoxSkeleton(NxPhysicsSDK& sdk, float half) {
    return sdk.createCCDSkeleton(TriangleList{BoxCorners(half, half, half), {}}.describe());
}

// The orientation whose local +z is `direction`.
NxMat33 Facing(const NxVec3& direction) {
    NxVec3 side = NxVec3(0, 1, 0).cross(direction);
    side.normalize();
    NxMat33 m;
    m.setColumn(0, side);
    m.setColumn(1, direction.cross(side));
    m.setColumn(2, direction);
    return m;
}

class CountingReports : public NxUserContactReport, public NxUserTriggerReport {
public:
    void onContactNotify(NxContactPair&, NxU32) override { ++contacts; }
    void onTrigger(NxShape&, NxShape&, NxTriggerFlag) override { ++triggers; }
    int contacts = 0;
    int triggers = 0;
};

class LayerSide : public BenchSide {
public:
    explicit LayerSide(const ReferenceScene& reference);
    ~LayerSide() override {
        sdk_->releaseScene(*scene_);
        sdk_->release();
    }
    void frame(int index) override;
    void summary() const override;

private:
    NxActor* create(NxShapeDesc& shape, const NxVec3& position, NxReal density);

    const ReferenceScene& reference_;
    NxPhysicsSDK* sdk_;
    NxScene* scene_;
    CountingReports reports_;
    NxActor* avatar_;
    std::vector<NxActor*> projectiles_;
};

LayerSide::LayerSide(const ReferenceScene& reference) : reference_(reference) {
    sdk_ = NxCreatePhysicsSDK(NX_PHYSICS_SDK_VERSION);
    sdk_->setParameter(NX_BOUNCE_THRESHOLD, -10.0f);
    sdk_->setParameter(NX_SKIN_WIDTH, 0.01f);
    sdk_->setParameter(NX_CONTINUOUS_CD, 1.0f);
    sdk_->setParameter(NX_CCD_EPSILON, 0.001f);
    NxSceneDesc sceneDesc;
    sceneDesc.gravity = NxVec3(0, kGravity, 0);
    scene_ = sdk_->createScene(sceneDesc);
    NxMaterial* standard = scene_->getMaterialFromIndex(0);
    standard->setRestitution(0.6f);
    standard->setStaticFriction(0.9f);
    standard->setDynamicFriction(0.9f);
    NxMaterialDesc materialDesc;
    materialDesc.restitution = 0.6f;
    materialDesc.staticFriction = materialDesc.dynamicFriction = 0.9f;
    scene_->createMaterial(materialDesc);
    scene_->setUserTriggerReport(&reports_);
    scene_->setUserContactReport(&reports_);
    scene_->setActorGroupPairFlags(0, 0, NX_NOTIFY_ON_START_TOUCH);

    NxSphereShapeDesc ball;
    ball.radius = kAvatarRadius;
    ball.materialIndex = 1;
    avatar_ = create(ball, reference.avatarStart, 1.0f);
    avatar_->setLinearDamping(2.0f);
    avatar_->setAngularDamping(10.0f);
    avatar_->getShapes()[0]->setCCDSkeleton(BoxSkeleton(*sdk_, 0.15f));

    MemoryStream levelStream;
    NxCookTriangleMesh(reference.level.describe<NxTriangleMeshDesc>(), levelStream);
    NxTriangleMeshShapeDesc level;
    level.meshData = sdk_->createTriangleMesh(levelStream);
    create(level, NxVec3(), 0);

    NxConvexShapeDesc box;
    box.meshData = BoxHull(*sdk_, kBoxHalf);
    for (const NxVec3& start : reference.boxStarts) create(box, start, 1.0f);

    NxConvexShapeDesc trigger;
    trigger.meshData = BoxHull(*sdk_, kTriggerHalf);
    for (const NxVec3& position : reference.triggerPositions) {
        NxShape* shape = create(trigger, position, 0)->getShapes()[0];
        shape->setFlag(NX_TRIGGER_ON_ENTER | NX_TRIGGER_ON_LEAVE, true);
        shape->setGroup(2);
    }

    NxConvexShapeDesc shot;
    shot.meshData = BoxHull(*sdk_, kProjectileHalf);
    NxCCDSkeleton* shotSkeleton = BoxSkeleton(*sdk_, 0.02f);
    for (int i = 0; i < kProjectiles; ++i) {
        NxActor* projectile = create(shot, reference.launch(i, 0).position, 1.0f);
        projectile->getShapes()[0]->setCCDSkeleton(shotSkeleton);
        projectile->raiseBodyFlag(NX_BF_DISABLE_GRAVITY);
        projectile->raiseBodyFlag(NX_BF_FROZEN_ROT);
        projectile->getShapes()[0]->setGroup(2);
        projectiles_.push_back(projectile);
    }

    for (NxVec3 normal : {NxVec3(1, 0, 0), NxVec3(-1, 0, 0), NxVec3(0, 0, 1), NxVec3(0, 0, -1)}) {
        NxPlaneShapeDesc plane;
        plane.normal = normal;
        plane.d = -kBoundDistance;
        create(plane, NxVec3(), 0);
    }
}

NxActor* LayerSide::create(NxShapeDesc& shape, const NxVec3& position, NxReal density) {
    NxBodyDesc body;
    NxActorDesc desc;
    desc.shapes.pushBack(&shape);
    if (density != 0) {
        desc.body = &body;
        desc.density = density;
    }
    desc.globalPose.t = position;
    return scene_->createActor(desc);
}

void LayerSide::frame(int index) {
    if (index % kRelaunchFrames == 0) {
        for (int i = 0; i < kProjectiles; ++i) {
            Launch launch = reference_.launch(i, index / kRelaunchFrames);
            projectiles_[i]->setGlobalPose(NxMat34(Facing(launch.direction), launch.position));
            projectiles_[i]->setLinearVelocity(NxVec3());
            projectiles_[i]->addLocalForce(NxVec3(0, 0, kLaunchForce));
        }
    }
    avatar_->addForce(ReferenceScene::avatarPush(index));
    scene_->simulate(kStep);
    scene_->flushStream();
    while (!scene_->fetchResults(NX_RIGID_BODY_FINISHED, true)) {
    }
}

void LayerSide::summary() const {
    NxVec3 p = avatar_->getGlobalPosition();
    std::printf("  layer:  %d contact reports, %d trigger reports, avatar at (%.1f, %.1f, %.1f)\n",
                reports_.contacts, reports_.triggers, p.x, p.y, p.z);
}

}  // namespace

std::unique_ptr<BenchSide> MakeLayerSide(const ReferenceScene& scene) {
    return std::make_unique<LayerSide>(scene);
}

}  // namespace bench
