#include "app/shaders.h"

#include <GL/glew.h>

#include <cstdio>

#include "core/globals.h"
#include "core/log.h"
#include "platform/game_path.h"

float lightPosition[3] = {0.0f, 1.0f, 0.0f};

namespace {

GLuint CompileFromFile(GLenum kind, const char* path) {
    GLuint shader = glCreateShader(kind);
    std::string source = ReadShaderFile(path);
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    return shader;
}

// Both fragment shaders call the lighting of this source, which lies beside them and is linked
// into each program.
std::string LightingSourceBeside(const char* fragmentShaderPath) {
    std::string path = fragmentShaderPath;
    path.resize(path.find_last_of("\\/") + 1);  // the folder, or nothing
    return path + "ppl_light.fs";
}

void ReportCompile(GLuint shader, const char* success, const char* failure) {
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    std::printf("%s", status == GL_TRUE ? success : failure);
}

}  // namespace

void CheckGlsl() {
    glslSupported = GLEW_ARB_vertex_shader && GLEW_ARB_fragment_shader;
    std::printf(glslSupported ? "Ready for GLSL: Vertex and Fragment Shader supported\n"
                              : "!! Vertex and Fragment Shader NOT supported -> no GLSL usage\n");
    gl20Supported = glewIsSupported("GL_VERSION_2_0");
    std::printf(gl20Supported ? "Ready for OpenGL 2.0\n" : "OpenGL 2.0 not supported\n");
}

std::string ReadShaderFile(const char* path) {
    std::string text;
    // The message is in the Windows-1252 code page: \366 (0xF6) is the o with umlaut.
    if (!GameReadText(path, text)) std::fputs("unguelige datei ge\366ffnet", stdout);
    return text;
}

void CreateShaderProgram(const char* vertexShaderPath, const char* fragmentShaderPath,
                         uint32_t* program) {
    GLuint vertexShader = CompileFromFile(GL_VERTEX_SHADER, vertexShaderPath);
    GLuint fragmentShader = CompileFromFile(GL_FRAGMENT_SHADER, fragmentShaderPath);
    GLuint lightingShader =
        CompileFromFile(GL_FRAGMENT_SHADER, LightingSourceBeside(fragmentShaderPath).c_str());
    glCompileShader(vertexShader);
    glCompileShader(fragmentShader);
    glCompileShader(lightingShader);
    ReportCompile(vertexShader, "VS Shader compiliert\n", "FEHLER: VS Shader nicht compiliert\n");
    ReportCompile(fragmentShader, "FS Shader compiliert\n", "FEHLER: FS Shader nicht compiliert\n");

    *program = glCreateProgram();
    glAttachShader(*program, vertexShader);
    glAttachShader(*program, fragmentShader);
    glAttachShader(*program, lightingShader);
    glLinkProgram(*program);
    // The program keeps its shaders; flagged for deletion here, they go with it.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteShader(lightingShader);
    GLint linked = 0;
    glGetProgramiv(*program, GL_LINK_STATUS, &linked);
    std::printf(linked == GL_TRUE ? "Shader Programm gelinkt\n"
                                  : "FEHLER: Shader Programm nicht gelinkt\n");
}

void InitLight() {
    LogLine("InitLight");
    lightPosition[0] = 0.0f;
    lightPosition[1] = 1.0f;
    lightPosition[2] = 0.0f;
    const GLfloat direction[4] = {lightPosition[0], lightPosition[1], lightPosition[2], 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
}

void InitLitDrawing() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    InitLight();
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}
