// Shaders and the light: the GLSL check, the two per-pixel lighting programs built from the
// sources in data\, and the game's one light, GL_LIGHT0.
#pragma once

#include <cstdint>
#include <string>

// The light's position as handed to GL_LIGHT0 (a direction: the fourth component is 0), and where
// the frame draws the light marker.
extern float lightPosition[3];

// Sets `glslSupported` and `gl20Supported` from GLEW, with a console line for each.
void CheckGlsl();
// The whole text of a shader source file, read in text mode. A file that cannot be opened prints
// "unguelige datei ge\xF6ffnet" and gives the empty text.
std::string ReadShaderFile(const char* path);
// Compiles both sources and links them, with the shared lighting "ppl_light.fs" from the
// fragment shader's folder, into a program stored through `program`, reporting each step of the
// two sources on the console (a broken lighting source shows as a failed link). A failed step
// does not stop the build: the handle is stored either way.
void CreateShaderProgram(const char* vertexShaderPath, const char* fragmentShaderPath,
                         uint32_t* program);
// Logs "InitLight", makes GL_LIGHT0 a directional light from +Y, enables it and smooth shading.
// Called once while the model-view matrix is the identity, so the light stays fixed to the view.
void InitLight();
// The game's light and the state its models are drawn in, for drawing outside the game's frame
// (the cooking tool's previews, the drawing tests): InitLight under an identity model-view
// matrix, then lighting, depth test and back-face culling on.
void InitLitDrawing();
