#include "cook/check_level.h"

#include <cstdio>

#include "NxPhysics.h"
#include "app/level_check.h"
#include "physics/mesh_cache.h"

int CheckLevelAndFiles(const char* levelFile) {
    // The game reads the cooked meshes through the physics SDK, so the check does as well.
    NxPhysicsSDK* sdk = NxCreatePhysicsSDK(NX_PHYSICS_SDK_VERSION);
    bool fatal = false;
    for (const LevelProblem& problem : CheckLevelFile(levelFile, sdk)) {
        std::printf("%s%s\n", problem.fatal ? "" : "Warning: ", problem.message.c_str());
        fatal = fatal || problem.fatal;
    }
    sdk->release();
    ForgetCookedMeshes();
    return fatal ? 1 : 0;
}
