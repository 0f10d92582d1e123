#include "app/level.h"

#include <cstdio>

#include "app/level_check.h"

#include "core/globals.h"
#include "core/log.h"
#include "core/removal.h"
#include "core/settings.h"
#include "core/stop.h"
#include "enemies/cube_cannon.h"
#include "enemies/cube_fly.h"
#include "enemies/cube_jumping_block.h"
#include "enemies/cube_moving_bomb.h"
#include "physics/physics_world.h"
#include "player/avatar.h"
#include "render/lens_flare.h"
#include "render/model.h"
#include "scene/door.h"
#include "objects/ground_plane.h"
#include "objects/model_object.h"
#include "scene/ring.h"

namespace {

void LoadLevelModels() {
    numModels = ReadInt(kLevelFile, "Level", "numModels");
    std::printf("NumModels %i\n", numModels);
    levelModels = new ModelObject*[numModels];
    for (int i = 1; i <= numModels; ++i) {
        char key[32], visual[256], physic[256];
        std::snprintf(key, sizeof key, "model%i", i);
        ReadString(kLevelFile, "models", key, visual, sizeof visual);
        std::snprintf(key, sizeof key, "physicModel%i", i);
        ReadString(kLevelFile, "models", key, physic, sizeof physic);
        std::snprintf(key, sizeof key, "matrix%i", i);
        float* matrix = ReadMatrix(kLevelFile, "models", key);
        std::snprintf(key, sizeof key, "density%i", i);
        float density = ReadFloat(kLevelFile, "models", key);
        std::snprintf(key, sizeof key, "concave%i", i);
        bool concave = ReadBool(kLevelFile, "models", key);

        std::printf("InitModel %s\n", visual);
        auto* object = new ModelObject();
        levelModels[i - 1] = object;
        object->setModel(visual);
        object->createActor(physic, physicsScene, density, concave, 0);
        object->setMatrix(matrix);
        objects.push_back(object);
        delete[] matrix;
    }
}

// The enemy of a kind that the level file names, or null for a kind without a class.
zvEnemy* NewEnemy(int32_t kind) {
    switch (kind) {
        case 0: return new CubeCannon(physicsScene);
        case 1: return new CubeMovingBomb(physicsScene);
        case 2: return new CubeFly(physicsScene);
        case 3: return new CubeJumpingBlock(physicsScene);
        default: return nullptr;
    }
}

// The enemies of the level file, in both lists in file order. Entries of an unknown kind are
// skipped (the level file's check has warned of them).
void LoadEnemies() {
    int32_t count = ReadInt(kLevelFile, "level", "numEnemies");
    std::printf("NumEnemies: %i\n", count);
    for (int i = 1; i <= count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "kind%i", i);
        int32_t kind = ReadInt(kLevelFile, "enemies", key);
        std::snprintf(key, sizeof key, "matrix%i", i);
        float* matrix = ReadMatrix(kLevelFile, "enemies", key);
        if (zvEnemy* enemy = NewEnemy(kind)) {
            enemy->setMatrix(matrix);
            objects.push_back(enemy);
            enemies.push_back(enemy);
        }
        delete[] matrix;
    }
}

// Rings and doors: one object per entry of their section, placed by the entry's matrix.
template <class Placed>
void LoadPlaced(const char* countKey, const char* label, const char* section) {
    int32_t count = ReadInt(kLevelFile, "level", countKey);
    std::printf("%s: %i\n", label, count);
    for (int i = 1; i <= count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "matrix%i", i);
        float* matrix = ReadMatrix(kLevelFile, section, key);
        auto* object = new Placed(physicsScene);
        object->setMatrix(matrix);
        objects.push_back(object);
        delete[] matrix;
    }
}

void LoadBox() {
    boxObject = new ModelObject();
    boxObject->setModel("box");
    boxObject->createActor("box", physicsScene, 0.0f, false, 0);
    objects.push_back(boxObject);
}

}  // namespace

void CheckLevel() {
    for (const LevelProblem& problem : CheckLevelFile(kLevelFile, physicsSDK)) {
        if (problem.fatal) StopGame(problem.message.c_str());
        WarnAbout(problem.message.c_str());
    }
}

void LoadModels() {
    LogLine("LoadModels");
    avatar = new Avatar();
    avatar->createActor(physicsScene);
    LoadLevelModels();
    lensFlare = new zvLensFlare(1000.0f, 530.0f, 580.0f, camera);
    LoadBox();
    LoadEnemies();
    LoadPlaced<zvRing>("numRings", "NumRings", "rings");
    LoadPlaced<zvDoor>("numDoors", "NumDoors", "doors");
    groundPlane.createBounds(physicsScene);
}

void UnloadModels() {
    LogLine("UnloadModels");
    RemovalPass(
        objects, [](Object*) { return true; }, [](Object*) {},
        [](Object* object) {
            object->release();
            delete object;
        });
    ReleaseAllModels();
}
