// The generated models: every name the game uses has its file, every model is a closed
// outward-wound mesh (the cooking tool makes collision shapes of them), and the
// sizes that decide how the game plays are right.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "generated.h"
#include "models.h"

namespace {

namespace fs = std::filesystem;

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
    for (const auto& entry : fs::directory_iterator(GeneratedDir() + "/models"))
        names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
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

}  // namespace
