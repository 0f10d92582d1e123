// The contact and trigger reports route every event to the objects involved.
#include "world/reports.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "physics/actor_holder.h"
#include "physics/physics_world.h"
#include "world/init_physics.h"
#include "player/avatar.h"
#include "objects/model_object.h"
#include "objects/trigger.h"

namespace {

std::vector<std::string> events;

struct Recorder : Object {
    Recorder(const char* name_, int type_) : name(name_) { type = type_; }
    void onContact(Object* other) override {
        auto* recorder = dynamic_cast<Recorder*>(other);
        events.push_back(name + " touched " + (recorder ? recorder->name : "avatar"));
    }
    std::string name;
};

struct TriggerOwner : TriggerModelObject {
    void onTriggerEnter(Trigger*, Object* other) override {
        events.push_back("enter " + static_cast<Recorder*>(other)->name);
    }
    void onTriggerLeave(Trigger*, Object* other) override {
        events.push_back("leave " + static_cast<Recorder*>(other)->name);
    }
};

class ReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        initPhysics();
        contactReport = std::make_unique<ContactReport>(physicsScene);
        testing::internal::GetCapturedStdout();
        events.clear();
    }
    void TearDown() override { releasePhysics(); }

    // A static sphere actor owned by `owner`.
    NxActor* ActorOf(Object* owner) {
        NxSphereShapeDesc sphere;
        sphere.radius = 0.5f;
        NxActorDesc desc;
        desc.shapes.pushBack(&sphere);
        desc.globalPose.t = NxVec3(static_cast<float>(actors++) * 10, 0, 0);
        NxActor* actor = physicsScene->createActor(desc);
        actor->userData = owner;
        return actor;
    }
    void Notify(NxActor* a, NxActor* b, const NxContactStream* stream = nullptr) {
        NxContactPair pair;
        pair.actors[0] = a;
        pair.actors[1] = b;
        pair.stream = stream;
        contactReport->onContactNotify(pair, NX_NOTIFY_ON_START_TOUCH);
    }
    std::unique_ptr<ContactReport> contactReport;
    int actors = 0;
};

TEST_F(ReportsTest, ContactsReachBothTypedObjectsInPairOrder) {
    Recorder model("model", OBJECT_TYPE_MODEL), enemy("enemy", OBJECT_TYPE_ENEMY),
        shot("shot", OBJECT_TYPE_PROJECTILE), untyped("untyped", 0), odd("odd", 5);
    NxActor* m = ActorOf(&model);
    NxActor* e = ActorOf(&enemy);
    NxActor* s = ActorOf(&shot);
    Notify(m, e);
    Notify(s, m);
    Notify(m, ActorOf(&untyped));
    Notify(ActorOf(&odd), e);
    EXPECT_EQ(events, (std::vector<std::string>{"model touched enemy", "enemy touched model",
                                                "shot touched model", "model touched shot"}));
    EXPECT_EQ(objectFromShape(s->getShapes()[0]), &shot);
    EXPECT_EQ(objectFromShape(nullptr), nullptr);
}

TEST_F(ReportsTest, TheAvatarGetsTheNormalFromTheWallTowardsItselfOncePerShapePair) {
    testing::internal::CaptureStdout();
    Avatar avatar;
    avatar.createActor(physicsScene);
    testing::internal::GetCapturedStdout();
    avatar.wallJumpArmed = true;
    Recorder wall("wall", OBJECT_TYPE_MODEL), enemy("enemy", OBJECT_TYPE_ENEMY);
    NxActor* w = ActorOf(&wall);

    // The first shape pair has no patch and is skipped; the second reports +X from the wall.
    const NxContactPatch patches[] = {{NxVec3(1, 0, 0), 0, 0}};
    const NxContactShapePair pairs[] = {{{nullptr, nullptr}, 0, 0}, {{nullptr, nullptr}, 0, 1}};
    NxContactStream stream;
    stream.pairs = pairs;
    stream.numPairs = 2;
    stream.patches = patches;

    // The avatar second: the layer's normal points towards the first actor, so it is turned.
    Notify(w, avatar.actor, &stream);
    EXPECT_NEAR(avatar.yaw, 3.14159f, 1e-4);  // exactly one wall jump
    physicsScene->simulate(1.0f / 60);
    physicsScene->fetchResults(NX_RIGID_BODY_FINISHED, true);
    EXPECT_LT(avatar.actor->getLinearVelocity().x, -1.0f);  // kicked away along -X

    // The avatar first: the normal as it stands. Neither enemies nor projectiles kick.
    Notify(avatar.actor, w, &stream);
    EXPECT_NEAR(avatar.yaw, 2 * 3.14159f, 1e-3);
    Notify(avatar.actor, ActorOf(&enemy), &stream);
    EXPECT_NEAR(avatar.yaw, 2 * 3.14159f, 1e-3);
    // The generic notification reaches the other party of every pair all the same.
    EXPECT_EQ(events, (std::vector<std::string>{"wall touched avatar", "wall touched avatar",
                                                "enemy touched avatar"}));
}

TEST_F(ReportsTest, TriggerEventsReachTheOwnerEnterBeforeLeave) {
    TriggerReport triggerReport(physicsScene);
    TriggerOwner owner;
    ObjectTrigger trigger(&owner, "cube_cannon_trigger", physicsScene);
    Recorder ball("ball", OBJECT_TYPE_AVATAR);
    NxShape* other = ActorOf(&ball)->getShapes()[0];
    NxShape* volume = trigger.body->actor->getShapes()[0];
    triggerReport.onTrigger(*volume, *other,
                            NxTriggerFlag(NX_TRIGGER_ON_ENTER | NX_TRIGGER_ON_LEAVE));
    triggerReport.onTrigger(*volume, *other, NxTriggerFlag(NX_TRIGGER_ON_STAY));
    triggerReport.onTrigger(*volume, *other, NxTriggerFlag(NX_TRIGGER_ON_LEAVE));
    EXPECT_EQ(events, (std::vector<std::string>{"enter ball", "leave ball", "leave ball"}));
    trigger.release();
}

}  // namespace
