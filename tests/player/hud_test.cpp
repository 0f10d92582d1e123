// The HUD drawn into an off-screen picture of the configured window size: the health bar's width
// and colour, the crosshairs over the scene with and without additive blending; and the one-shot
// keys that scripted play does not show (the play tests press C and R): F4 and F5, F12's lighting
// switch, C from the orbit view, and letter keys in either case.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <array>

#include "core/globals.h"
#include "app/hud.h"
#include "app/input.h"
#include "objects/model_object.h"
#include "player/avatar.h"
#include "support/offscreen.h"
#include "support/player_world.h"
#include "render/camera.h"
#include "render/lens_flare.h"
#include "render/model.h"
#include "render/sky_box.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

class HudTest : public PlayerWorld {
protected:
    void SetUp() override {
        PlayerWorld::SetUp();
        winResX = kWidth;
        winResY = kHeight;
        showHelp = transparency = lighting = false;
        LoadHudTextures();
    }

    // Clears to `background`, sets a view down -Z and draws the HUD.
    Pixels Draw(std::array<int, 3> background = {0, 0, 0}) {
        glClearColor(background[0] / 255.0f, background[1] / 255.0f, background[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, kWidth, kHeight);  // the camera set the window's
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60, static_cast<double>(kWidth) / kHeight, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // The state the frame leaves for the HUD.
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_POINT_SPRITE);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        DrawHud();
        return target_.Read();
    }

    Offscreen target_{kWidth, kHeight};
};

TEST_F(HudTest, HealthBarIsTwoPixelsPerPointFromGreenToRed) {
    struct Case {
        int health;
        std::array<int, 3> colour;
    };
    const int cx = kWidth / 2, row = 38;  // inside the bar, below the lives text
    for (Case c : {Case{100, {0, 255, 0}}, Case{50, {128, 128, 0}}, Case{0, {0, 0, 0}}}) {
        avatar->health = c.health;
        auto pixels = Draw();
        int width = 0;
        for (int x = cx - 110; x < cx + 110; ++x) {
            std::array<int, 3> p = pixels.At(x, kHeight - 1 - row);  // rows counted from the top
            if (p == std::array<int, 3>{0, 0, 0}) continue;
            EXPECT_GE(x, cx - 100) << c.health;
            EXPECT_NEAR(p[0], c.colour[0], 1) << c.health;
            EXPECT_NEAR(p[1], c.colour[1], 1) << c.health;
            EXPECT_EQ(p[2], 0) << c.health;
            ++width;
        }
        EXPECT_EQ(width, 2 * c.health);
    }
    Weapon* left = avatar->leftWeapon;  // an empty weapon slot is drawn without its numbers
    avatar->leftWeapon = nullptr;
    Draw();
    avatar->leftWeapon = left;
}

TEST_F(HudTest, CrosshairsCoverTheSceneOpaqueOrAddToIt) {
    avatar->leftAimPoint = avatar->rightAimPoint = NxVec3(0, 0, -5);  // the picture's centre
    auto brightness = [](const Pixels& pixels) {
        long sum = 0;
        for (int y = kHeight / 2 - 40; y < kHeight / 2 + 40; ++y)
            for (int x = kWidth / 2 - 40; x < kWidth / 2 + 40; ++x)
                for (int c : pixels.At(x, y)) sum += c;
        return sum / (80 * 80 * 3);
    };
    // Opaque: the sprite's dark ground hides the white scene, and blending is left as it was.
    glEnable(GL_BLEND);
    EXPECT_LT(brightness(Draw({255, 255, 255})), 128);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    // Added: the scene shows through, and blending ends off.
    transparency = true;
    EXPECT_EQ(brightness(Draw({255, 255, 255})), 255);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    // Over an enemy the other sprite is drawn.
    transparency = false;
    auto inactive = Draw();
    avatar->leftOnEnemy = avatar->rightOnEnemy = true;
    EXPECT_NE(inactive, Draw());
}

// F4 and F5 load every texture of the world again under the switched filters: the level's
// models, the sky and the crosshairs.
TEST_F(HudTest, F4AndF5ReloadTheWorldsTexturesUnderTheNewFilters) {
    SkyBox sky(3000, "textures\\sky\\");
    zvLensFlare flare(1000, 530, 580, camera);
    skyBox = &sky;
    lensFlare = &flare;
    objects = {AddStatic("level_wall_8x6", NxVec3(0, 0, 10))};
    std::vector<uint32_t*> textures = {&crossActiveTexture, &crossInactiveTexture};
    for (uint32_t& face : sky.textures) textures.push_back(&face);
    for (uint32_t& texture : static_cast<ModelObject*>(objects[0])->model->textures)
        textures.push_back(&texture);
    auto expectFilter = [&textures](GLint expected) {
        for (uint32_t* texture : textures) {
            GLint filter = 0;
            glBindTexture(GL_TEXTURE_2D, *texture);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
            EXPECT_EQ(filter, expected) << textures.size();
        }
    };
    useBilinear = true;
    useMipmaps = false;
    testing::internal::CaptureStdout();
    SpecialKeys(GLUT_KEY_F4, 0, 0);
    expectFilter(GL_NEAREST);
    SpecialKeys(GLUT_KEY_F5, 0, 0);
    expectFilter(GL_NEAREST_MIPMAP_NEAREST);
    SpecialKeys(GLUT_KEY_F4, 0, 0);
    expectFilter(GL_LINEAR_MIPMAP_LINEAR);
    testing::internal::GetCapturedStdout();
    useMipmaps = false;
    objects.clear();
    skyBox = nullptr;
    lensFlare = nullptr;
}

// F12 turns lighting off at once and leaves turning it on to the frame; C leaves the orbit for
// follow; letter keys act in either case (a key released under SHIFT arrives in upper case).
TEST_F(HudTest, TheOneShotKeys) {
    lighting = true;
    glEnable(GL_LIGHTING);
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_FALSE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    SpecialKeys(GLUT_KEY_F12, 0, 0);
    EXPECT_TRUE(lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    camera->mode = 3;
    Keyboard('C', 0, 0);
    EXPECT_EQ(camera->mode, 0);

    const struct {
        unsigned char down, up;
        bool* state;
    } keys[] = {{'w', 'W', &keyForward}, {'Q', 'q', &avatar->wallJumpArmed}, {' ', ' ', &keyJump}};
    for (const auto& key : keys) {
        Keyboard(key.down, 0, 0);
        EXPECT_TRUE(*key.state) << key.down;
        KeyboardUp(key.up, 0, 0);
        EXPECT_FALSE(*key.state) << key.up;
    }
}

}  // namespace
