// The game's shell: start-up, the game step, the frame and the exit path.
#pragma once

// Start-up up to the point where GLUT's main loop takes over: settings, physics, the window,
// GLEW, shaders, DevIL, the level, the light, particles, sky box, camera, HUD textures, the
// callbacks and the GL state. Shared by the game's main and the scripted runner.
void GameStart(int argc, char** argv);

// GLUT callbacks of the shell.
void Idle();
void Display();
void Reshape(int w, int h);

// Takes the world down before the process exits.
void CleanUp();
// The one way the game ends (Escape, the window's close button): CleanUp, "Exiting" in the log,
// then exit code 0.
[[noreturn]] void ExitGame();

// Sub-steps of the game step and the frame, in call order.
void StartPhysics();
void UpdateProjectiles(double dt);
void UpdateEnemies();
void ProcessInput();
void DrawLightMarker();
void DrawDebugRenderable(const class NxDebugRenderable& renderable);
void DrawProjectiles();
void DrawObjects();
void DrawRingParticles();

float randomFloat(float lo, float hi);
