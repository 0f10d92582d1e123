// Start-up, in the order the game's subsystems depend on each other, and the exit path.
#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>
#include <IL/il.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/globals.h"
#include "app/hud.h"
#include "app/input.h"
#include "app/level.h"
#include "core/log.h"
#include "core/settings.h"
#include "app/shaders.h"
#include "app/shell.h"
#include "core/stop.h"
#include "physics/physics_world.h"
#include "world/area_damage.h"
#include "world/init_physics.h"
#include "platform/cursor.h"
#include "platform/game_folder.h"
#include "platform/game_path.h"
#include "platform/perf_counter.h"
#include "render/camera.h"
#include "render/particles.h"
#include "render/sky_box.h"
#include "sound/sound.h"

namespace {

constexpr const char* kGameIni = "data\\game.ini";

// The game's settings have no usable defaults: without them the game would ask for a
// 12345678-pixel window, so a missing key stops the game before the window opens.
void RequireGameKey(const char* key) {
    if (ReadInt(kGameIni, "game", key) != NOT_FOUND_VALUE) return;
    char message[160];
    FILE* file = GameOpen(kGameIni, "rb");
    if (file == nullptr) {
        std::snprintf(message, sizeof message,
                      "Cannot start: %s is missing (key \"%s\" in section [game])", kGameIni, key);
    } else {
        std::fclose(file);
        std::snprintf(message, sizeof message,
                      "Cannot start: %s has no key \"%s\" in section [game]", kGameIni, key);
    }
    StopGame(message);
}

// A setting outside the range the game can use gets a warning naming it, and a usable value.
int32_t Sane(const char* key, int32_t value, int32_t low, int32_t high, int32_t fallback,
             const char* section = "game") {
    if (value >= low && value <= high) return value;
    char message[200];
    std::snprintf(message, sizeof message,
                  "%s: \"%s\" in section [%s] is %i, not from %i to %i; using %i", kGameIni, key,
                  section, value, low, high, fallback);
    WarnAbout(message);
    return fallback;
}

void ReadWindowSettings(int& fullscreen) {
    for (const char* key :
         {"winResY", "winResX", "winLeft", "winTop", "fullscreen", "camMode", "fov"})
        RequireGameKey(key);
    winResY = Sane("winResY", ReadInt(kGameIni, "game", "winResY"), 48, 16384, 768);
    winResX = Sane("winResX", ReadInt(kGameIni, "game", "winResX"), 64, 16384, 1024);
    winLeft = ReadInt(kGameIni, "game", "winLeft");
    winTop = ReadInt(kGameIni, "game", "winTop");
    fullscreen = ReadInt(kGameIni, "game", "fullscreen");
}

void OpenWindow(int argc, char** argv, int fullscreen) {
    LogLine("Initialize GLUT");
    ShowCursor(0);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(winResX, winResY);
    glutInitWindowPosition(winLeft, winTop);
    glutCreateWindow("Zorvan");
    ApplyCursorVisibility();
    if (fullscreen != 0) glutFullScreen();
}

void InitGlew() {
    LogLine("Initialize GLEW");
    GLenum error = glewInit();
    if (error != GLEW_OK) std::fprintf(stderr, "Error: %s\n", glewGetErrorString(error));
    std::printf("Status: Using GLEW %s\n", glewGetString(GLEW_VERSION));
}

void BuildShaders() {
    CheckGlsl();
    if (!gl20Supported || !glslSupported) return;
    std::printf("Shader erstellen\n");
    CreateShaderProgram("data\\ppl_point.vs", "data\\ppl_point.fs", &pointLightProgram);
    CreateShaderProgram("data\\ppl_point_tex.vs", "data\\ppl_point_tex.fs", &pointLightTexProgram);
}

void InitSprites() {
    LogLine("Initialize Sprites");
    particles = new ParticleSystem();
    particles->SetTexture("textures\\sprites.bmp");
    particles->LoadTypes();
    particles->SetViewerPosition(camera->eye[0], camera->eye[1], camera->eye[2]);
    particles->ClearParticles();
}

void InitSkyBox() {
    char skyboxDir[256];
    ReadString(kLevelFile, "level", "skyboxDir", skyboxDir, sizeof skyboxDir);
    int32_t skyboxDim = ReadInt(kLevelFile, "level", "skyboxDim");
    skyBox = new SkyBox(static_cast<float>(skyboxDim), skyboxDir);
}

void InitCamera() {
    int32_t camMode = Sane("camMode", ReadInt(kGameIni, "game", "camMode"), 0, 3, 0);
    int32_t fov = Sane("fov", ReadInt(kGameIni, "game", "fov"), 1, 179, 60);
    LogLine("InitCamera");
    camera->init(fov, winResX, winResY, 0.1, 100000.0, camMode);
}

// Section [sound] may be missing, or any of its keys: they have defaults.
void InitSound() {
    SoundSettings settings;
    auto read = [](const char* key, int32_t low, int32_t high, int32_t fallback) {
        int32_t value = ReadInt(kGameIni, "sound", key);
        return value == NOT_FOUND_VALUE ? fallback : Sane(key, value, low, high, fallback, "sound");
    };
    settings.enabled = read("enabled", 0, 1, settings.enabled) != 0;
    settings.volume = read("volume", 0, 100, settings.volume);
    StartSound(settings);
}

// The log lies in the game's folder; an installed game's folder is not the player's to write, so
// then it goes to the player's state folder, and the console says where.
void OpenLog() {
    LogOpen("zvLog.txt");
    if (logFile != nullptr) return;
    std::string elsewhere = StateFile("zvLog.txt");
    if (elsewhere.empty()) return;
    LogOpen(elsewhere.c_str());
    if (logFile != nullptr) std::printf("Log file: %s\n", elsewhere.c_str());
}

// The window's close button ends the game as Escape does.
void CloseWindow() {
    ExitGame();
}

void RegisterCallbacks() {
    glutMouseFunc(MouseButton);
    glutPassiveMotionFunc(MouseMotion);
    glutMotionFunc(MouseMotion);
    glutKeyboardFunc(Keyboard);
    glutIgnoreKeyRepeat(1);
    glutKeyboardUpFunc(KeyboardUp);
    glutSpecialFunc(SpecialKeys);
    glutReshapeFunc(Reshape);
    glutDisplayFunc(Display);
    glutIdleFunc(Idle);
    // freeglut's own reaction to the close button would end the process behind the game's back.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCloseFunc(CloseWindow);
}

void InitGlState() {
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    if (lighting) glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_POINT_SPRITE);
}

}  // namespace

void GameStart(int argc, char** argv) {
    OpenLog();
    LogLine("Load Game Settings");
    int fullscreen = 0;
    ReadWindowSettings(fullscreen);

    timeDelta = 0.0;
    nextSparkleTime = 0.0;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    perfFrequency = frequency.QuadPart;

    LogLine("Initialize Physics");
    initPhysics();
    InstallAreaDamage();
    CheckLevel();  // with the physics SDK, which reads the level's cooked meshes once for all

    OpenWindow(argc, argv, fullscreen);
    InitGlew();
    BuildShaders();

    LogLine("Initialize DEVIL");
    ilInit();
    glEnable(GL_TEXTURE_2D);

    camera = new Camera();  // before the level: the lens flare keeps a pointer to it
    LoadModels();
    InitLight();
    InitSprites();
    InitSkyBox();
    InitCamera();
    LoadHudTextures();
    InitSound();

    RegisterCallbacks();
    InitGlState();
}

void CleanUp() {
    camera->cleanUp();
    delete camera;
    camera = nullptr;
    skyBox->cleanUp();
    delete skyBox;
    skyBox = nullptr;
    animations.clear();
    UnloadModels();
    releasePhysics();
    StopSound();
}

void ExitGame() {
    // freeglut closes the window once more at exit, and must not call back into a game that is
    // gone by then.
    glutCloseFunc(nullptr);
    CleanUp();
    LogLine("Exiting");
    LogClose();
    std::fflush(stdout);
    std::exit(0);
}
