// What the asset generator writes. The models: every name the game uses has its file, every model
// is a closed outward-wound mesh (the cooking tool makes collision shapes of them), and the sizes
// that decide how the game plays are right. The pictures and sounds: all there in the layouts the
// game loads, the particle sheet's cells where data\game.ini says, and the whole output the same on
// every run. The sky is checked as the game draws it, in the world's tests.
#include <IL/il.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "core/settings.h"
#include "generated.h"
#include "models.h"
#include "sound/wav_file.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

// The models the game loads by name; the level's pieces are named by the level file.
const char* const kGameModels =
    "avatar_ball mask01 respawn_item minigun_left grenadegun_right ccd2 bullet bullet_CO rocket "
    "grenade ring ring_upperTrigger ring_lowerTrigger zvdoor zvdoor_frame zvdoor_trigger "
    "health_item ammo_item box cube_cannon_plate cube_cannon_plateCO cube_cannon_gun "
    "cube_cannon_trigger cube_moving_bomb_wheel cube_moving_bomb_rest cubefly_body "
    "cubefly_wings_up cubefly_wings_down cubejumpingblock";

struct Loaded {
    Ms3dModel model;
    std::vector<Vec3> points;  // the vertices' positions
    float min[3], max[3];      // their bounds along x, y and z
};

// Each model as the generator builds it for its file, once per test program.
const Loaded& Model(const std::string& name) {
    static const std::map<std::string, Loaded> built = [] {
        std::map<std::string, Loaded> all;
        for (const auto* list : {&PlayerModels(), &WorldModels(), &EnemyModels(), &LevelPieces()})
            for (const ModelAsset& asset : *list) {
                Mesh mesh;
                asset.build(mesh);
                Loaded& loaded = all[asset.name];
                loaded.model = mesh.toMs3d();
                loaded.points = mesh.positions();
                for (int axis = 0; axis < 3; ++axis) {
                    loaded.min[axis] = 1e30f;
                    loaded.max[axis] = -1e30f;
                }
                for (const Vec3& p : loaded.points)
                    for (int axis = 0; axis < 3; ++axis) {
                        const float along[3] = {p.x, p.y, p.z};
                        loaded.min[axis] = std::min(loaded.min[axis], along[axis]);
                        loaded.max[axis] = std::max(loaded.max[axis], along[axis]);
                    }
            }
        return all;
    }();
    return built.at(name);
}

// Empty when every edge runs once each way, as on a closed and consistently wound surface;
// otherwise the first edge that does not.
std::string OpenEdge(const Loaded& m) {
    std::map<std::pair<int, int>, int> runs;
    for (const ms3d_triangle_t& t : m.model.triangles)
        for (int k = 0; k < 3; ++k) ++runs[{t.vertexIndices[k], t.vertexIndices[(k + 1) % 3]}];
    for (const auto& [edge, count] : runs) {
        auto back = runs.find({edge.second, edge.first});
        if (count != 1 || back == runs.end() || back->second != 1)
            return std::to_string(edge.first) + "-" + std::to_string(edge.second);
    }
    return "";
}

// The enclosed volume: positive when the triangles wind counter-clockwise seen from outside.
double Volume(const Loaded& m) {
    double six = 0;
    for (const ms3d_triangle_t& t : m.model.triangles)
        six += Dot(m.points[t.vertexIndices[0]],
                   Cross(m.points[t.vertexIndices[1]], m.points[t.vertexIndices[2]]));
    return six / 6;
}

std::vector<std::string> AllModelNames() {
    std::vector<std::string> names;
    for (const std::string& file : FilesBelow(GeneratedDir() + "/models"))
        names.push_back(fs::path(file).stem().string());
    return names;
}

// Every name the game uses exists, and a piece of each kind that level files name.
TEST(Models, AreThereAsClosedOutwardWoundMeshesWithTexturedMaterials) {
    const std::vector<std::string> all = AllModelNames();
    std::istringstream names(kGameModels);
    for (std::string name; names >> name;)
        EXPECT_TRUE(std::binary_search(all.begin(), all.end(), name)) << name;
    for (const char* kind :
         {"level_ground", "level_floor_", "level_wall_", "level_ramp_", "level_steps_",
          "level_platform_", "level_crate_", "level_pillar_", "level_hollow_sphere"})
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const std::string& n) {
            return n.rfind(kind, 0) == 0;
        })) << kind;
    for (const std::string& name : all) {
        const Loaded& m = Model(name);
        EXPECT_EQ(OpenEdge(m), "") << name;
        EXPECT_GT(Volume(m), 0) << name;
        for (const Ms3dMaterial& material : m.model.materials) {
            const std::string& texture = material.texture;
            if (texture.empty()) continue;
            ASSERT_EQ(texture.rfind("..\\textures\\", 0), 0u) << name << " " << texture;
            std::string file = texture.substr(12);
            EXPECT_EQ(file.substr(file.size() - 4), ".jpg") << name;
            EXPECT_TRUE(fs::exists(TexturePath(file))) << name << " " << file;
        }
    }
}

// Sizes that decide how the game plays: the extent of each model along an axis (0 x, 1 y, 2 z)
// lies in [low, high].
TEST(Models, AreSizedAndShapedForPlay) {
    const struct {
        const char* model;
        int axis;
        double low, high;
    } sizes[] = {
        {"avatar_ball", 0, 0.4, 0.4},  // as wide as the ball's sphere
        {"grenade", 0, 0.08, 0.12},
        {"ring", 2, 0.14, 0.18},
        {"zvdoor", 0, 1.15, 1.25},
        {"zvdoor", 1, 1.2, 10},
        {"cube_cannon_trigger", 0, 10, 20},  // where the cannon notices the ball
        {"cube_cannon_trigger", 2, 10, 20},
        {"cubejumpingblock", 0, 0.75, 0.85},
        {"level_ground_126x200", 0, 100, 1000},
        {"level_wall_8x6", 1, 5, 100},  // wall jumps
    };
    for (const auto& size : sizes)
        EXPECT_NEAR(Model(size.model).max[size.axis] - Model(size.model).min[size.axis],
                    (size.low + size.high) / 2, (size.high - size.low) / 2 + 1e-4)
            << size.model << " axis " << size.axis;
    // Resting on y 0 or hanging from it, as the game places them.
    for (const char* model : {"box", "zvdoor", "cube_cannon_plate", "ring_upperTrigger"})
        EXPECT_NEAR(Model(model).min[1], 0, 1e-6) << model;
    for (const char* model : {"level_ground_126x200", "ring_lowerTrigger"})
        EXPECT_NEAR(Model(model).max[1], 0, 1e-6) << model;
    // Centred on their axes, with the face or gun to +Z.
    for (const char* model : {"cube_cannon_gun", "cubefly_body", "cubejumpingblock"}) {
        const Loaded& m = Model(model);
        EXPECT_NEAR(m.min[0] + m.max[0], 0, 1e-5) << model;
        EXPECT_NEAR(m.min[1] + m.max[1], 0, 1e-5) << model;
        EXPECT_GT(m.max[2], -m.min[2]) << model;
    }

    // The ball passes the ring through both trigger halves, and the open door's frame leaves it the
    // passage up to the door's top; what is drawn on the ball sits on it, the skeleton inside it.
    float opening = 1e9f;
    for (const Vec3& p : Model("ring").points) opening = std::min(opening, std::hypot(p.x, p.y));
    EXPECT_NEAR(2 * opening, 0.8, 0.05);
    const Loaded &upper = Model("ring_upperTrigger"), &lower = Model("ring_lowerTrigger");
    for (const Loaded* half : {&upper, &lower})
        EXPECT_LE(std::max(-half->min[0], half->max[0]), opening);
    EXPECT_LE(upper.max[1], opening);
    EXPECT_GE(lower.min[1], -opening);
    for (const Vec3& p : Model("zvdoor_frame").points)
        EXPECT_TRUE(p.y >= 1.0 + 0.4 || std::fabs(p.x) >= 0.59) << p.x << ", " << p.y;
    for (const Vec3& p : Model("mask01").points)
        EXPECT_TRUE(Length(p) > 0.2 && p.z > 0) << p.x << ", " << p.y << ", " << p.z;
    for (const Vec3& p : Model("ccd2").points) EXPECT_LE(Length(p), 0.16);
}

// Two runs write the same bytes; every picture, the ones the game names included, is a square
// 24-bit image as the game uploads it.
TEST(Textures, TwoRunsWriteTheSameBytesAndEveryPictureIsASquare24BitImage) {
    TempDir again;
    ASSERT_EQ(RunGenerator(again.path()), 0);
    std::vector<std::string> first = FilesBelow(GeneratedDir());
    ASSERT_EQ(first, FilesBelow(again.path()));
    for (const std::string& file : first)
        EXPECT_TRUE(ReadFile(GeneratedDir() + "/" + file) == ReadFile(again.path() + "/" + file))
            << file;
    for (const char* named :
         {"sprites.bmp", "glow.jpg", "halo.jpg", "streaks.jpg", "cross_active.jpg",
          "cross_inactive.jpg", "rocketGUIleft.jpg", "sky/z+.bmp", "sky/z-.bmp", "sky/x-.bmp",
          "sky/x+.bmp", "sky/y+.bmp", "sky/y-.bmp"})
        EXPECT_NE(std::find(first.begin(), first.end(), std::string("textures/") + named),
                  first.end())
            << named;
    for (const std::string& file : FilesBelow(GeneratedDir() + "/textures")) {
        Picture p = LoadPicture(TexturePath(file));
        EXPECT_EQ(p.format, file.ends_with(".bmp") ? IL_BGR : IL_RGB) << file;
        EXPECT_EQ(p.bytesPerPixel, 3) << file;
        EXPECT_EQ(p.width, p.height) << file;
        EXPECT_GE(p.width, 32) << file;
    }
}

TEST(Textures, SpriteCellsLieWhereTheGameLooksForThem) {
    Picture sheet = LoadPicture(TexturePath("sprites.bmp"));
    ASSERT_EQ(sheet.width, 256);
    // The game maps picture row y (from the top) to t = 1 - y / 256, and DevIL delivers a BMP's
    // rows from t = 0 up: picture row y is data row 255 - y.
    auto rowOf = [](int y) { return 255 - y; };
    const std::string ini = std::string(ZORVAN_SOURCE_DIR) + "/data/game.ini";
    std::array<std::array<double, 3>, 16> colour{};
    for (int type = 0; type < 16; ++type) {
        // The cell of data\game.ini: x, y (from the top), width, height in pixels.
        const std::string key = "Type" + std::to_string(type);
        const Vec4 cell = ReadVec4(ini.c_str(), "particle types", key.c_str());
        const int x0 = int(cell.x), y0 = int(cell.y), w = int(cell.z), h = int(cell.w);
        ASSERT_LE(x0 + w, 256) << key << " missing from game.ini";
        int brightest = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const std::array<int, 3> c = sheet.rgb(x, rowOf(y));
                for (int k = 0; k < 3; ++k) colour[type][k] += c[k];
                brightest = std::max(brightest, c[0] + c[1] + c[2]);
                bool border = x < x0 + 2 || x >= x0 + w - 2 || y < y0 + 2 || y >= y0 + h - 2;
                if (border) {
                    EXPECT_EQ(c[0] + c[1] + c[2], 0) << "type " << type << " at " << x << ", " << y;
                }
            }
        EXPECT_GT(brightest, 150) << "type " << type;
    }
    // The colours pin the rows: a flipped sheet would show other cells here.
    auto warm = [&](int t) { return colour[t][0] > 1.5 * colour[t][2]; };
    EXPECT_TRUE(warm(2)) << "explosion flash";
    EXPECT_TRUE(warm(6)) << "golden ring marker";
    EXPECT_FALSE(warm(10));
    EXPECT_FALSE(warm(14));
}

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(bytes[at + i])} << 8 * i;
    return value;
}

std::string Patched(std::string bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i & 0xff);
    return bytes;
}

// Every sound is a plain 16-bit mono WAV file at 22050 Hz, from a twentieth of a second to two
// seconds long, audible and never clipped, which the game's own reader takes; that reader refuses
// the same bytes broken as a damaged or foreign file would be.
TEST(Sounds, EveryEffectIsAShortWellFormedWaveFile) {
    std::vector<std::string> files = FilesBelow(GeneratedDir() + "/sounds");
    EXPECT_EQ(files.size(), 22u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string bytes = ReadFile(GeneratedDir() + "/sounds/" + file);
        ASSERT_GE(bytes.size(), 46u);
        EXPECT_EQ(bytes.substr(0, 16), std::string("RIFF") + bytes.substr(4, 4) + "WAVEfmt ");
        EXPECT_EQ(Le32(bytes, 4), bytes.size() - 8);
        EXPECT_EQ(Le32(bytes, 24), 22050u);
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(Le32(bytes, 40), bytes.size() - 44);
        WavSound sound;
        std::string error;
        ASSERT_TRUE(ParseWav(bytes, sound, error)) << error;
        double seconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
        EXPECT_TRUE(seconds >= 0.05 && seconds <= 2.0) << seconds;
        int peak = 0;
        for (int16_t s : sound.samples) peak = std::max(peak, std::abs(int{s}));
        EXPECT_TRUE(peak > 16000 && peak < 32000) << peak;
        if (file == "roll.wav") {  // it loops: its end runs on into its start
            EXPECT_LT(std::abs(sound.samples.back() - sound.samples.front()), 1500);
        }
    }

    const std::string good = ReadFile(GeneratedDir() + "/sounds/ring.wav");
    const std::pair<const char*, std::string> broken[] = {
        {"cut short", good.substr(0, good.size() - 2)},
        {"only a header", Patched(good.substr(0, 12), 4, 4, 4)},
        {"not WAVE", Patched(good, 8, 0x45564157 + 1, 4)},
        {"compressed", Patched(good, 20, 2, 2)},
        {"stereo", Patched(good, 22, 2, 2)},
        {"8-bit", Patched(good, 34, 8, 2)},
        {"no rate", Patched(good, 24, 0, 4)},
        {"data past the end", Patched(good, 40, 0xfffffff0, 4)},
        {"no samples", Patched(Patched(good.substr(0, 44), 40, 0, 4), 4, 36, 4)},
    };
    for (const auto& [what, bytes] : broken) {
        WavSound sound;
        std::string error;
        EXPECT_FALSE(ParseWav(bytes, sound, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

}  // namespace
