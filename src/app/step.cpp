// The game step: GLUT's idle callback advances the game by the wall-clock time since the last step.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>

#include "core/globals.h"
#include "app/input.h"
#include "core/removal.h"
#include "app/shell.h"
#include "enemies/enemy.h"
#include "physics/physics_world.h"
#include "platform/perf_counter.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "player/projectile.h"
#include "render/particles.h"
#include "objects/animation_object.h"
#include "sound/sound.h"

namespace {

// How fast the ball rolls, as its rolling sound hears it: not at all in the air or when dead.
float RollingSpeed() {
    if (!avatar->alive || avatar->inAir()) return 0;
    return avatar->actor->getLinearVelocity().magnitude();
}

}  // namespace

void StartPhysics() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    perfNow = counter.QuadPart;
    gameTime = static_cast<double>(perfNow) / static_cast<double>(perfFrequency);
    timeDelta = static_cast<double>(perfNow - perfLast) / static_cast<double>(perfFrequency);
    perfLast = perfNow;

    RemovalPass(
        animations, [](AnimationObject* a) { return a->finished; },
        [](AnimationObject* a) { a->animate(timeDelta); }, [](AnimationObject*) {});

    physicsScene->simulate(static_cast<NxReal>(timeDelta));
    physicsScene->flushStream();
}

void UpdateProjectiles(double dt) {
    RemovalPass(
        projectiles,
        [dt](Projectile* p) {
            if (p->lifetime - dt > 0) return false;
            p->lifetime = 0;
            return true;
        },
        [dt](Projectile* p) { p->lifetime -= dt; },
        [](Projectile* p) {
            p->releaseActor();
            p->onRelease();
            delete p;
        });
}

void UpdateEnemies() {
    RemovalPass(
        enemies, [](zvEnemy* e) { return e->expired; }, [](zvEnemy* e) { e->update(gameTime); },
        [](zvEnemy* e) {
            // The frame's object pass has normally taken it off the draw list already, but GLUT
            // skips the frame while the window is hidden: then it must not stay there, freed.
            auto drawn = std::find(objects.begin(), objects.end(), e);
            if (drawn != objects.end()) objects.erase(drawn);
            e->release();
            delete e;
        });
}

void ProcessInput() {
    avatar->probeGround();
    if (!avatar->update()) paused = true;  // the last life is lost; the step still runs on
    SetRollingSound(avatar->position, RollingSpeed());
    bool sideways = keyLeft || keyRight, straight = keyForward || keyBackward;
    if (keyForward && !keyBackward) avatar->moveForward(sideways ? 0.707f : 1.0f);
    if (keyBackward && !keyForward) avatar->moveForward(sideways ? -0.707f : -1.0f);
    if (keyLeft && !keyRight) avatar->moveSideways(straight ? 0.707f : 1.0f);
    if (keyRight && !keyLeft) avatar->moveSideways(straight ? -0.707f : -1.0f);
    if (keyJump)
        avatar->jump(timeDelta);
    else
        avatar->releaseJump();
    if (fireLeftHeld) avatar->fireLeft(gameTime);
    if (fireRightHeld) avatar->fireRight(gameTime);

    if (camera->mode == 2) {
        camera->moveFree(keyFreeForward, keyFreeLeft, keyFreeBackward, keyFreeRight, keyFreeUp,
                         keyFreeDown);
        camera->freeAzimuth += mouseDX / 100.0;
        camera->freePolar += mouseDY / 100.0;
        mouseDX = mouseDY = 0;
    } else {
        if (avatar->alive) {
            if (camera->mode == 1)
                avatar->yaw = 0;
            else
                avatar->yaw += mouseDX / 100.0;
            avatar->addPitch(mouseDY / 200.0);
            mouseDX = mouseDY = 0;
        }
        camera->setTarget(avatar->getPosition().x, avatar->getPosition().y, avatar->getPosition().z,
                          avatar->yaw, avatar->pitch);
    }

    // The warp must not report itself as a pointer movement.
    glutPassiveMotionFunc(nullptr);
    glutMotionFunc(nullptr);
    glutWarpPointer(static_cast<int>(winResX / 2.0), static_cast<int>(winResY / 2.0));
    glutMotionFunc(MouseMotion);
    glutPassiveMotionFunc(MouseMotion);

    camera->look(static_cast<float>(gameTime));
    const float* viewer = camera->mode == 2 ? camera->freePos : camera->eye;
    particles->SetViewerPosition(viewer[0], viewer[1], viewer[2]);
    SetSoundListener(viewer, camera->center);
}

void Idle() {
    glLoadIdentity();
    if (paused) {
        SetRollingSound(avatar->position, 0);  // a paused ball makes no noise
        return;
    }
    if (pendingCamMode != -1) {
        camera->mode = pendingCamMode;
        pendingCamMode = -1;
    }
    StartPhysics();
    while (!physicsScene->fetchResults(NX_RIGID_BODY_FINISHED, true)) {
    }
    UpdateProjectiles(timeDelta);
    UpdateEnemies();
    particles->Update(static_cast<float>(timeDelta));
    ProcessInput();
    glutPostRedisplay();
}

float randomFloat(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(std::rand() % 10001) / 10000.0f;
}
