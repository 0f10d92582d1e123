#include "core/globals.h"

std::vector<Object*> objects;
std::vector<zvEnemy*> enemies;
std::vector<Projectile*> projectiles;
std::vector<AnimationObject*> animations;
ModelObject** levelModels = nullptr;
int32_t numModels = 0;
ModelObject* boxObject = nullptr;
Avatar* avatar = nullptr;
Camera* camera = nullptr;
ParticleSystem* particles = nullptr;
SkyBox* skyBox = nullptr;
zvLensFlare* lensFlare = nullptr;

int64_t perfFrequency = 0;
int64_t perfNow = 0;
int64_t perfLast = 0;
double gameTime = 0;
double timeDelta = 0;
double nextSparkleTime = 0;

bool paused = false;
int32_t pendingCamMode = 0;

int32_t winResX = 0, winResY = 0, winLeft = 0, winTop = 0;

bool showHelp = false;
bool wireframe = false;
bool useBilinear = true;
bool useMipmaps = false;
bool useVBO = true;
bool rendererUseVBO = true;
bool frustumCulling = false;
bool transparency = true;
bool useOwnShader = true;
bool flatShading = false;
bool lighting = true;

bool glslSupported = false, gl20Supported = false;
uint32_t pointLightProgram = 0, pointLightTexProgram = 0;
