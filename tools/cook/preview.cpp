#include "cook/preview.h"

#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>
#include <IL/il.h>

#include <cmath>
#include <filesystem>

#include "common/leak_check.h"
#include "cook/model_info.h"
#include "core/globals.h"
#include "app/shaders.h"
#include "common/png_file.h"
#include "common/render_target.h"
#include "render/model.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCell = 256;

void OpenHiddenWindow() {
    int argc = 1;
    char name[] = "zorvan-cook";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(64, 64);
    glutCreateWindow("zorvan-cook");
    glutHideWindow();
    glewInit();
    ilInit();
    CheckLeaksBeforeLibrariesUnload();
}

// The game's shaders and light when the folder has them, as the game sets them up.
void SetUpLighting() {
    CheckGlsl();
    if (gl20Supported && glslSupported && fs::exists("data/ppl_point.vs")) {
        CreateShaderProgram("data\\ppl_point.vs", "data\\ppl_point.fs", &pointLightProgram);
        CreateShaderProgram("data\\ppl_point_tex.vs", "data\\ppl_point_tex.fs",
                            &pointLightTexProgram);
    } else {
        useOwnShader = false;
    }
    InitLitDrawing();
}

void DrawCell(Model* model, const std::string& label, int column, int row, int rows) {
    int x = column * kCell, y = (rows - 1 - row) * kCell;
    glViewport(x, y, kCell, kCell);
    glScissor(x, y, kCell, kCell);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.16f + 0.04f * ((column + row) % 2), 0.18f, 0.22f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    float r = model->radius > 0 ? model->radius : 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(35, 1, r * 0.05, r * 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    float distance = r / std::sin(17.5f * 3.14159f / 180) * 1.05f;
    const float* c = model->centre;
    const float view[3] = {0.55f, 0.45f, 0.70f};  // from the front (+Z), the left and above
    gluLookAt(c[0] + view[0] * distance, c[1] + view[1] * distance, c[2] + view[2] * distance, c[0],
              c[1], c[2], 0, 1, 0);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glEnable(GL_LIGHTING);
    model->Render(identity);
    if (gl20Supported && glslSupported && useOwnShader) glUseProgram(0);

    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, kCell, 0, kCell);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glRasterPos2i(6, 8);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12,
                     reinterpret_cast<const unsigned char*>(label.c_str()));
}

}  // namespace

bool RenderPreview(const std::string& png, const std::vector<std::string>& models,
                   std::string& error) {
    if (models.empty()) {
        error = "preview needs at least one model";
        return false;
    }
    fs::path output = fs::absolute(png);
    std::vector<fs::path> files;
    for (const std::string& m : models) {
        // A model the renderer cannot read would draw nothing: refuse it before any window opens.
        CMS3DFile check;
        if (!check.Load(m.c_str())) {
            error = UnreadableModel(m, check.LastRead());
            return false;
        }
        files.push_back(fs::absolute(m));
    }
    if (!fs::is_directory(output.parent_path())) {
        error = "cannot write " + output.string() + " (no such folder)";
        return false;
    }
    // Texture paths in models are relative to the game's folder, the parent of "models".
    fs::current_path(files.front().parent_path().parent_path());

    OpenHiddenWindow();
    SetUpLighting();
    int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(files.size()))));
    int rows = static_cast<int>((files.size() + columns - 1) / columns);
    int width = columns * kCell, height = rows * kCell;

    RenderTarget sheet(width, height);
    for (size_t i = 0; i < files.size(); ++i) {
        Model* model = GetModel(files[i].c_str());
        DrawCell(model, files[i].stem().string(), static_cast<int>(i % columns),
                 static_cast<int>(i / columns), rows);
    }
    std::vector<uint8_t> pixels = sheet.ReadRgb();
    if (!SavePng(output.c_str(), width, height, pixels)) {
        error = "cannot write " + output.string();
        return false;
    }
    return true;
}
