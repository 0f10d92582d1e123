// The model store and renderer: a missing file, triangles sorted by material and culled,
// skipped out-of-range triangles, released models, the two draw paths giving one image, and the
// shader programs drawing lit, textured models under the game's light.
#include "render/model.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/globals.h"
#include "app/shaders.h"
#include "draw_call_log.h"
#include "ms3d_models.h"
#include "render/frustum.h"
#include "render/vbo.h"
#include "support/image_files.h"
#include "support/offscreen.h"
#include "support/temp_dir.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        rendererUseVBO = true;
        frustumCulling = false;
        useOwnShader = false;
        useBilinear = true;
        useMipmaps = false;
        // An orthographic view of the box -2..2 looking down -z, lit by the game's light.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        InitLitDrawing();
    }
    void TearDown() override {
        ReleaseAllModels();
        glDisable(GL_LIGHTING);
    }
    std::string Write(const Ms3dModel& model) { return dir.write("m.ms3d", Ms3dBytes(model)); }
    // Loads quietly: the store's console lines are checked by the tests that are about them.
    Model* Get(const std::string& path) {
        testing::internal::CaptureStdout();
        Model* model = GetModel(path.c_str());
        testing::internal::GetCapturedStdout();
        return model;
    }
    TempDir dir;
};

// Three quads side by side whose groups use materials 1, 0, 1: red, green, red.
Ms3dModel ThreeQuads() {
    Ms3dModel model;
    model.materials = {Coloured("green", 0, 1, 0), Coloured("red", 1, 0, 0)};
    model.groups = {{"left", {}, 1}, {"middle", {}, 0}, {"right", {}, 1}};
    AddQuad(model, -1.5f, -1, -0.5f, 1, 0, 0);
    AddQuad(model, -0.5f, -1, 0.5f, 1, 0, 1);
    AddQuad(model, 0.5f, -1, 1.5f, 1, 0, 2);
    return model;
}

TEST_F(ModelTest, AMissingFileIsReportedAndTriedAgainAtTheNextRequest) {
    const std::string path = dir.path() + "/missing.ms3d";
    for (int attempt = 0; attempt < 2; ++attempt) {
        testing::internal::CaptureStdout();
        Model* model = GetModel(path.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "VBOList groesse:  0\nError while loading " + path + "\n");
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->TriangleCount(), 0);
        DrawCallLog log;
        model->Render(kIdentity);
        EXPECT_TRUE(log.Calls().empty());
    }
    EXPECT_TRUE(VBOList.empty());
}

TEST_F(ModelTest, TrianglesAreStoredByMaterialAndDrawnOneCallPerMaterialUnlessOutOfView) {
    const std::string path = Write(ThreeQuads());
    Model* model = Get(path);
    EXPECT_EQ(model->materialTriangleCounts, (std::vector<int32_t>{2, 4}));
    // The middle quad (material 0) comes first in the buffers, then the left and right quads.
    std::vector<float> positions(6 * 9);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, model->positionBuffer);
    glGetBufferSubDataARB(GL_ARRAY_BUFFER_ARB, 0, positions.size() * sizeof(float),
                          positions.data());
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    EXPECT_EQ(positions[0], -0.5f);
    EXPECT_EQ(positions[2 * 9], -1.5f);
    EXPECT_EQ(positions[4 * 9], 0.5f);

    DrawCallLog log;
    model->Render(kIdentity);
    ASSERT_EQ(log.Calls().size(), 2u);
    EXPECT_EQ(log.Calls()[0].first, 0);
    EXPECT_EQ(log.Calls()[0].count, 6);
    EXPECT_EQ(log.Calls()[1].first, 6);
    EXPECT_EQ(log.Calls()[1].count, 12);
    for (const DrawCall& call : log.Calls()) {
        EXPECT_EQ(call.mode, GLenum(GL_TRIANGLES));
        EXPECT_EQ(GLuint(call.texCoordBuffer), model->texCoordBuffer);  // never a stale array
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    GLint arrayBuffer = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
    EXPECT_EQ(arrayBuffer, 0);

    // Beyond the right edge of the view (x = 2) by a little more than its bounding sphere
    // (radius 1.8): not drawn, but GL is left as drawing it leaves it (its last material, red,
    // and texturing off), since what comes next may draw with that state. Reaching into the
    // view, it is drawn.
    Ms3dModel green;
    green.materials = {Coloured("green", 0, 1, 0)};
    green.groups = {{"quad", {}, 0}};
    AddQuad(green, -1, -1, 1, 1, 0, 0);
    Model* other = Get(dir.write("green.ms3d", Ms3dBytes(green)));
    for (float x : {3.85f, 3.4f}) {
        other->Render(kIdentity);
        glEnable(GL_TEXTURE_2D);
        const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, 0, 0, 1};
        DrawCallLog aside;
        model->Render(moved);
        EXPECT_EQ(aside.Calls().size(), x > 3.6f ? 0u : 2u) << x;
        float diffuse[4];
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        EXPECT_EQ(diffuse[0], 1.0f) << x;
        EXPECT_EQ(diffuse[1], 0.0f) << x;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << x;
    }

    // Looking away from the model: nothing is drawn, and the console says so.
    frustumCulling = true;
    frustum.SetPerspective(45, 1, 0.1f, 100);
    frustum.SetCamera(0, 0, 10, 0, 0, 20, 0, 1, 0);
    DrawCallLog culled;
    testing::internal::CaptureStdout();
    model->Render(kIdentity);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Sphere not in Frustum:  model: " + path + "\n");
    EXPECT_TRUE(culled.Calls().empty());
    frustum.SetCamera(0, 0, 10, 0, 0, 0, 0, 1, 0);  // facing it
    model->Render(kIdentity);
    EXPECT_EQ(culled.Calls().size(), 2u);
}

TEST_F(ModelTest, TrianglesWithOutOfRangeIndicesAreSkippedOnBothPaths) {
    Ms3dModel source;
    source.materials = {Coloured("only", 1, 1, 1)};
    source.groups = {{"good", {}, 0}, {"no material", {}, -1}, {"bad material", {}, 0}};
    for (uint8_t group : {0, 1, 2, 0}) AddQuad(source, -1, -1, 1, 1, 0, group);
    source.triangles.push_back(Triangle(0, 1, 2, 0));
    std::string bytes = Ms3dBytes(source);
    // Past the counts: the third group's material, the fourth quad's group and the last
    // triangle's third corner; only the first quad is drawn.
    Patch(bytes, bytes.find("bad material") + 32 + 2 + 2 * 2, int8_t{1});
    for (size_t t : {6, 7}) Patch(bytes, TriangleOffset(16, t) + 69, uint8_t{3});
    Patch(bytes, TriangleOffset(16, 8) + 6, uint16_t{16});
    Model* model = Get(dir.write("m.ms3d", bytes));
    ASSERT_EQ(model->TriangleCount(), 9);
    EXPECT_EQ(model->materialTriangleCounts, (std::vector<int32_t>{2}));
    Offscreen screen;
    for (bool buffers : {true, false}) {
        rendererUseVBO = buffers;
        screen.Clear();
        model->Render(kIdentity);
        EXPECT_GT(screen.Read().CountNotOf({0, 0, 0}), 0) << buffers;
    }
}

TEST_F(ModelTest, BothPathsDrawAnUnrotatedModelAlike) {
    // A red and blue texture on the outer quads, a green untextured middle, under the light.
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {uint8_t(i < 8 ? 255 : 0), 0, 255});
    WriteImage(dir.path() + "/stripes.bmp", 4, 4, IL_RGB, pixels);
    Ms3dModel source = ThreeQuads();
    source.materials[1].shininess = 20;
    source.materials[1].specular[0] = 0.5f;
    source.materials[1].texture = dir.path() + "/stripes.bmp";
    Model* model = Get(Write(source));
    const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.25f, -0.5f, 0.5f, 1};

    Offscreen screen;
    rendererUseVBO = true;
    model->Render(moved);
    const Pixels buffered = screen.Read();
    screen.Clear();
    rendererUseVBO = false;
    model->Render(moved);
    const Pixels immediate = screen.Read();

    EXPECT_GT(buffered.CountNotOf({0, 0, 0}), Offscreen::kSize * Offscreen::kSize / 3);
    int differing = 0;
    for (size_t i = 0; i < buffered.rgb.size(); ++i)
        if (std::abs(buffered.rgb[i] - immediate.rgb[i]) > 4) ++differing;
    EXPECT_LE(differing, 2 * Offscreen::kSize) << "channel values that differ";
}

TEST_F(ModelTest, ReleasedModelsLoseTexturesAndDrawNothing) {
    Ms3dModel source = ThreeQuads();
    WriteSolidImage(dir.path() + "/blue.jpg", 4, 4, 0, 0, 255);
    source.materials[0].texture = dir.path() + "/blue.jpg";
    const std::string path = Write(source);
    Model* model = Get(path);
    const uint32_t texture = model->textures[0];
    ReleaseAllModels();
    EXPECT_TRUE(VBOList.empty());
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(model->TriangleCount(), 0);
    DrawCallLog log;
    for (bool buffers : {true, false}) {
        rendererUseVBO = buffers;
        model->Render(kIdentity);
    }
    EXPECT_TRUE(log.Calls().empty());
    EXPECT_NE(Get(path), model);  // a later request loads the file again
}

// Both programs, built from the game's sources as start-up builds them from the game's folder.
TEST_F(ModelTest, TheShaderProgramsDrawLitMaterialsAndModulatedTextures) {
    {
        WorkingDirectory sources(ZORVAN_SOURCE_DIR);
        testing::internal::CaptureStdout();
        CheckGlsl();
        CreateShaderProgram("data\\ppl_point.vs", "data\\ppl_point.fs", &pointLightProgram);
        CreateShaderProgram("data\\ppl_point_tex.vs", "data\\ppl_point_tex.fs",
                            &pointLightTexProgram);
        testing::internal::GetCapturedStdout();
    }
    WriteSolidImage(dir.path() + "/yellow.jpg", 8, 8, 255, 255, 0);
    Ms3dModel source;
    source.materials = {Coloured("green", 0.2f, 0.9f, 0.2f), Coloured("textured", 1, 1, 1)};
    source.materials[1].texture = dir.path() + "/yellow.jpg";
    source.groups = {{"plain", {}, 0}, {"textured", {}, 1}};
    AddQuad(source, -2, -2, 0, 2, 0, 0);
    AddQuad(source, 0, -2, 2, 2, 0, 1);
    Model* model = Get(Write(source));
    useOwnShader = true;
    Offscreen screen;
    model->Render(kIdentity);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), pointLightTexProgram);  // the last material is textured
    glUseProgram(0);
    useOwnShader = false;
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

}  // namespace
