// Shaders: missing sources, and the two programs drawing lit, textured models under the game's
// light.
#include "app/shaders.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/globals.h"
#include "ms3d_models.h"
#include "render/model.h"
#include "support/image_files.h"
#include "support/offscreen.h"
#include "support/temp_dir.h"

namespace {

// Builds both programs from the game's sources, as start-up does from the game's folder.
std::string BuildGamePrograms() {
    WorkingDirectory sources(ZORVAN_SOURCE_DIR);
    testing::internal::CaptureStdout();
    CheckGlsl();
    CreateShaderProgram("data\\ppl_point.vs", "data\\ppl_point.fs", &pointLightProgram);
    CreateShaderProgram("data\\ppl_point_tex.vs", "data\\ppl_point_tex.fs", &pointLightTexProgram);
    return testing::internal::GetCapturedStdout();
}

TEST(Shaders, MissingSourcesAreReportedAndTheProgramIsStoredAnyway) {
    uint32_t program = 0;
    testing::internal::CaptureStdout();
    CreateShaderProgram("no\\such.vs", "no\\such.fs", &program);
    std::string output = testing::internal::GetCapturedStdout();
    const std::string unreadable =
        "unguelige datei ge\xF6"
        "ffnet";
    EXPECT_EQ(output.substr(0, 2 * unreadable.size()), unreadable + unreadable);
    EXPECT_NE(output.find("FEHLER: Shader Programm nicht gelinkt\n"), std::string::npos) << output;
    EXPECT_NE(program, 0u);
    glDeleteProgram(program);
}

TEST(Shaders, TheProgramsDrawLitMaterialsAndModulatedTextures) {
    BuildGamePrograms();
    TempDir dir;
    WriteSolidImage(dir.path() + "/yellow.jpg", 8, 8, 255, 255, 0);
    Ms3dModel source;
    source.materials = {Coloured("green", 0.2f, 0.9f, 0.2f), Coloured("textured", 1, 1, 1)};
    source.materials[1].texture = dir.path() + "/yellow.jpg";
    source.groups = {{"plain", {}, 0}, {"textured", {}, 1}};
    AddQuad(source, -2, -2, 0, 2, 0, 0);
    AddQuad(source, 0, -2, 2, 2, 0, 1);
    testing::internal::CaptureStdout();
    Model* model = GetModel(dir.write("m.ms3d", Ms3dBytes(source)).c_str());
    testing::internal::GetCapturedStdout();

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    InitLitDrawing();
    rendererUseVBO = true;
    useOwnShader = true;
    Offscreen screen;
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    model->Render(identity);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), pointLightTexProgram);  // the last material is textured
    glUseProgram(0);
    const Pixels pixels = screen.Read();

    // Facing the camera, the surfaces are lit from the side by the light above the view: clearly
    // visible in their own colours, not washed out.
    const auto plain = pixels.At(16, 32), textured = pixels.At(48, 32);
    EXPECT_GT(plain[1], 80);
    EXPECT_LT(plain[0], plain[1] / 2);
    EXPECT_LT(plain[1], 230);
    EXPECT_GT(textured[0], 80);
    EXPECT_GT(textured[1], 80);
    EXPECT_LT(textured[2], textured[0] / 2);
    glDisable(GL_LIGHTING);
    useOwnShader = false;
    ReleaseAllModels();
}

}  // namespace
