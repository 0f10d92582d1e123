// The game's global state: the object lists, the services, the timing values, the flow control
// and the render switches. The shell owns all of it; everything lives until the process ends.
#pragma once

#include <cstdint>
#include <vector>

class Object;
class ModelObject;
class zvEnemy;
class Projectile;
class AnimationObject;
class GroundPlane;
class Avatar;
class Camera;
class ParticleSystem;
class SkyBox;
class zvLensFlare;

// Scene objects and services.
extern std::vector<Object*> objects;              // drawn by the object pass; owns non-enemies
extern std::vector<zvEnemy*> enemies;             // owns the enemies (also in `objects`)
extern std::vector<Projectile*> projectiles;      // owns the live projectiles
extern std::vector<AnimationObject*> animations;  // objects animated every step; owns nothing
extern ModelObject** levelModels;                 // the level's models in file order
extern int32_t numModels;
extern ModelObject* boxObject;
extern Avatar* avatar;
extern Camera* camera;
extern ParticleSystem* particles;
extern SkyBox* skyBox;
extern zvLensFlare* lensFlare;

// Timing.
extern int64_t perfFrequency;
extern int64_t perfNow;
extern int64_t perfLast;
extern double gameTime;         // absolute seconds: perfNow / perfFrequency
extern double timeDelta;        // seconds since the previous step
extern double nextSparkleTime;  // gameTime at which the next ring sparkle burst is due

// Flow control.
extern bool paused;
extern int32_t pendingCamMode;  // camera mode to apply at the next step; -1 for none

// Window settings from data\game.ini, never changed after start-up.
extern int32_t winResX, winResY, winLeft, winTop;

// Render switches (function keys).
extern bool showHelp, wireframe, useBilinear, useMipmaps, useVBO, rendererUseVBO, frustumCulling,
    transparency, useOwnShader, flatShading, lighting;

// Capabilities and shader programs, set once at start-up.
extern bool glslSupported, gl20Supported;
extern uint32_t pointLightProgram, pointLightTexProgram;
