#include "support/player_world.h"

#include "core/globals.h"
#include "app/input.h"
#include "app/shell.h"
#include "physics/physics_world.h"
#include "world/area_damage.h"
#include "world/init_physics.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "player/projectile.h"
#include "render/particles.h"
#include "objects/model_object.h"
#include "enemies/enemy.h"
#include "objects/trigger.h"

void PlayerWorld::SetUp() {
    keyForward = keyBackward = keyLeft = keyRight = keyJump = false;
    fireLeftHeld = fireRightHeld = false;
    mouseDX = mouseDY = 0;
    paused = false;
    gameTime = 100.0;
    initPhysics();
    InstallAreaDamage();
    particles = new ParticleSystem();
    particles->ClearParticles();
    camera = new Camera();
    camera->init(60, 1024, 768, 0.1, 100000.0, 0);
    winResX = 1024;
    winResY = 768;
    avatar = new Avatar();
    avatar->createActor(physicsScene);
}

void PlayerWorld::TearDown() {
    // What the enemy pass has not freed yet goes as the level's unloading takes it down;
    // projectiles and pieces leave the scene before the scene goes.
    for (Object* o : objects) {
        o->release();
        delete o;
    }
    objects.clear();
    enemies.clear();
    for (Projectile* p : projectiles) {
        p->releaseActor();
        p->onRelease();
        delete p;
    }
    projectiles.clear();
    for (ModelObject* piece : pieces_) {
        piece->release();
        delete piece;
    }
    releasePhysics();
    delete avatar;
    avatar = nullptr;
    delete camera;
    camera = nullptr;
    delete particles;
    particles = nullptr;
}

ModelObject* PlayerWorld::AddStatic(const char* model, const NxVec3& at) {
    auto* piece = new ModelObject();
    piece->setModel(model);
    piece->createActor(model, physicsScene, 0.0f, false, 0);
    const float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, at.x, at.y, at.z, 1};
    piece->setMatrix(matrix);
    pieces_.push_back(piece);
    return piece;
}

void PlayerWorld::PlaceAvatar(const NxVec3& at) {
    avatar->actor->setGlobalPosition(at);
    avatar->actor->setLinearVelocity(NxVec3(0, 0, 0));
    avatar->position = at;
}

void PlayerWorld::Simulate(int steps) {
    for (int i = 0; i < steps; ++i) {
        physicsScene->simulate(static_cast<NxReal>(kStep));
        physicsScene->flushStream();
        while (!physicsScene->fetchResults(NX_RIGID_BODY_FINISHED, true)) {
        }
    }
}

void PlayerWorld::Step(int steps) {
    for (int i = 0; i < steps; ++i) {
        gameTime += kStep;
        Simulate();
        UpdateProjectiles(kStep);
        UpdateEnemies();
    }
}

void PlayerWorld::Place(zvEnemy* enemy, const NxVec3& at, float heading) {
    enemy->setPose(at, NxVec3(0, heading, 0));
    objects.push_back(enemy);
    enemies.push_back(enemy);
}

void PlayerWorld::Notice(zvEnemy* enemy) {
    enemy->onTriggerEnter(enemy->trigger, avatar);
}

void PlayerWorld::MountAt(const NxVec3& at, float mount[16]) {
    const float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, at.x, at.y, at.z, 1};
    for (int i = 0; i < 16; ++i) mount[i] = m[i];
}
