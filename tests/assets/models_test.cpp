// The generated models, read through the game's reader: every name the game uses exists, every
// model is a closed outward-wound mesh (the cooking tool makes collision shapes of them), and the
// sizes that decide how the game plays are right.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "generated.h"
#include "mesh_checks.h"
#include "render/ms3d_file.h"

namespace {

namespace fs = std::filesystem;

const char* const kGameModels[] = {"avatar_ball",
                                   "mask01",
                                   "respawn_item",
                                   "minigun_left",
                                   "grenadegun_right",
                                   "ccd2",
                                   "bullet",
                                   "bullet_CO",
                                   "rocket",
                                   "grenade",
                                   "ring",
                                   "ring_upperTrigger",
                                   "ring_lowerTrigger",
                                   "zvdoor",
                                   "zvdoor_frame",
                                   "zvdoor_trigger",
                                   "health_item",
                                   "ammo_item",
                                   "box",
                                   "cube_cannon_plate",
                                   "cube_cannon_plateCO",
                                   "cube_cannon_gun",
                                   "cube_cannon_trigger",
                                   "cube_moving_bomb_wheel",
                                   "cube_moving_bomb_rest",
                                   "cubefly_body",
                                   "cubefly_wings_up",
                                   "cubefly_wings_down",
                                   "cubejumpingblock"};

struct Loaded {
    float fps = 0;
    int joints = 0;
    std::vector<std::string> textures;  // the material of each group, "" for none
    TriangleMesh mesh;
    Bounds bounds;
};

// Each model file read once per test program, through the game's reader.
const Loaded& Model(const std::string& name) {
    static std::map<std::string, Loaded> cache;
    auto found = cache.find(name);
    if (found != cache.end()) return found->second;
    CMS3DFile file;
    if (!file.Load(ModelPath(name).c_str())) throw std::runtime_error("cannot read " + name);
    Loaded loaded;
    loaded.fps = file.AnimationFps();
    loaded.joints = file.JointCount();
    std::vector<ms3d_vertex_t> vertices(file.VertexCount());
    std::vector<ms3d_triangle_t> triangles(file.TriangleCount());
    for (size_t i = 0; i < vertices.size(); ++i) {
        ms3d_vertex_t* record = nullptr;
        file.VertexAt(static_cast<int>(i), &record);
        vertices[i] = *record;
    }
    for (size_t i = 0; i < triangles.size(); ++i) {
        ms3d_triangle_t* record = nullptr;
        file.TriangleAt(static_cast<int>(i), &record);
        triangles[i] = *record;
    }
    for (int g = 0; g < file.GroupCount(); ++g) {
        ms3d_group_t* group = nullptr;
        file.GroupAt(g, &group);
        ms3d_material_t* material = nullptr;
        file.MaterialAt(group->materialIndex, &material);
        if (material == nullptr) throw std::runtime_error(name + ": a group without material");
        loaded.textures.push_back(material->texture);
    }
    loaded.mesh = FromRecords(vertices, triangles);
    loaded.bounds = BoundsOf(loaded.mesh);
    return cache.emplace(name, std::move(loaded)).first->second;
}

std::vector<std::string> AllModelNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GeneratedDir() + "/models"))
        names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Launch speed from a push `force` held for one 1/60 s step on a hull of density 1.
double LaunchSpeed(const std::string& hull, double force) {
    return force / 60 / HullVolume(Model(hull).mesh.points);
}

TEST(Models, EveryNameTheGameUsesExistsWithLevelPiecesBeside) {
    for (const char* name : kGameModels) {
        EXPECT_TRUE(fs::exists(ModelPath(name))) << name;
        EXPECT_NO_THROW(Model(name)) << name;
    }
    std::vector<std::string> names = AllModelNames();
    for (const char* kind :
         {"level_ground", "level_floor_", "level_wall_", "level_ramp_", "level_steps_",
          "level_platform_", "level_crate_", "level_pillar_", "level_hollow_sphere"})
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return n.rfind(kind, 0) == 0;
        })) << kind;
}

TEST(Models, AreClosedOutwardWoundMeshesWithTexturedMaterials) {
    for (const std::string& name : AllModelNames()) {
        const Loaded& m = Model(name);
        EXPECT_EQ(ClosedSurfaceFault(m.mesh), "") << name;
        EXPECT_GT(SignedVolume(m.mesh), 0) << name;
        EXPECT_FLOAT_EQ(m.fps, 24) << name;
        EXPECT_EQ(m.joints, 0) << name;
        for (const std::string& texture : m.textures) {
            if (texture.empty()) continue;
            ASSERT_EQ(texture.rfind("..\\textures\\", 0), 0u) << name << " " << texture;
            std::string file = texture.substr(12);
            EXPECT_EQ(file.substr(file.size() - 4), ".jpg") << name;
            EXPECT_TRUE(fs::exists(TexturePath(file))) << name << " " << file;
        }
    }
}

TEST(Models, TheBallAndWhatIsDrawnOnIt) {
    const Bounds& ball = Model("avatar_ball").bounds;
    for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(ball.size(axis), 0.4, 1e-4);

    // The mask sits just outside the ball, in front of it.
    for (const Point& p : Model("mask01").mesh.points) {
        EXPECT_GT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 0.2);
        EXPECT_GT(p.z, 0);
    }
    // The skeleton lies well inside the ball.
    for (const Point& p : Model("ccd2").mesh.points)
        EXPECT_LE(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 0.16);

    // The guns are drawn on the ball's aim matrix and hang 0.3 to its side, left (+x) and right
    // (-x): slim enough to stay clear of the ball, about 0.25 long along +Z.
    for (const char* gun : {"minigun_left", "grenadegun_right"}) {
        const Bounds& b = Model(gun).bounds;
        float side = gun[0] == 'm' ? 1.0f : -1.0f;
        EXPECT_NEAR((b.min.x + b.max.x) / 2 * side, 0.3, 0.01) << gun;
        EXPECT_GT(std::min(b.min.x * side, b.max.x * side), 0.2) << gun;
        EXPECT_GE(b.size(2), 0.2) << gun;
        EXPECT_LE(b.size(2), 0.3) << gun;
        EXPECT_GT(b.max.z, -b.min.z) << gun;  // the muzzle end points forward
    }
}

TEST(Models, ProjectilesLeaveTheMuzzleAtPlayableSpeeds) {
    EXPECT_GE(LaunchSpeed("bullet_CO", 0.1), 20);
    EXPECT_LE(LaunchSpeed("bullet_CO", 0.1), 60);
    EXPECT_GE(LaunchSpeed("rocket", 1.0), 10);
    EXPECT_LE(LaunchSpeed("rocket", 1.0), 40);
    const Bounds& grenade = Model("grenade").bounds;
    EXPECT_NEAR(grenade.size(0), 0.1, 0.02);
    EXPECT_GE(LaunchSpeed("grenade", 0.5), 10);
    // The bullet looks as long as its hull.
    EXPECT_NEAR(Model("bullet").bounds.size(2), Model("bullet_CO").bounds.size(2), 0.005);
}

TEST(Models, ItemsAreSmallEnoughToPickUp) {
    for (const char* item : {"health_item", "ammo_item", "respawn_item"}) {
        const Bounds& b = Model(item).bounds;
        double across = std::max({b.size(0), b.size(1), b.size(2)});
        EXPECT_GE(across, 0.2) << item;
        EXPECT_LE(across, 0.3) << item;
    }
}

TEST(Models, RingOpeningLetsTheBallThroughBothTriggers) {
    double opening = 1e9;
    for (const Point& p : Model("ring").mesh.points)
        opening = std::min(opening, std::hypot(p.x, p.y));
    EXPECT_NEAR(2 * opening, 0.8, 0.05);
    EXPECT_NEAR(Model("ring").bounds.size(2), 0.16, 0.02);  // upright in the xy plane

    const Bounds& upper = Model("ring_upperTrigger").bounds;
    const Bounds& lower = Model("ring_lowerTrigger").bounds;
    EXPECT_NEAR(upper.min.y, 0, 1e-6);
    EXPECT_NEAR(lower.max.y, 0, 1e-6);
    for (const Bounds* half : {&upper, &lower}) {
        EXPECT_NEAR(half->size(2), 0.2, 0.05);
        EXPECT_LE(std::max(-half->min.x, half->max.x), opening);
        EXPECT_GE(half->size(0), 0.4);  // wider than the ball
    }
    EXPECT_LE(upper.max.y, opening);
    EXPECT_GE(lower.min.y, -opening);
}

TEST(Models, DoorClearsThePassageOnceRisen) {
    const Bounds& door = Model("zvdoor").bounds;
    EXPECT_NEAR(door.min.y, 0, 1e-6);
    EXPECT_NEAR(door.size(0), 1.2, 0.05);
    EXPECT_GE(door.max.y, 1.2);
    // The frame leaves the passage free up to the door's open height and above the ball.
    for (const Point& p : Model("zvdoor_frame").mesh.points) {
        if (p.y < 1.0 + 0.4) {
            EXPECT_GE(std::fabs(p.x), 0.59);
        }
    }
    TriangleMesh frame = Model("zvdoor_frame").mesh;
    EXPECT_LT(RayHit(frame, {0, 0.7, 3}, {0, 0, -1}, 6), 0);  // straight through below the top
    EXPECT_GT(RayHit(frame, {0, 2, 3}, {0, 0, -1}, 6), 0);    // the housing above
    const Bounds& trigger = Model("zvdoor_trigger").bounds;
    EXPECT_GE(-trigger.min.z, 0.9);
    EXPECT_GE(trigger.max.z, 0.9);
}

TEST(Models, EnemiesAreCentredCubesFacingForward) {
    const Bounds& plate = Model("cube_cannon_plate").bounds;
    EXPECT_NEAR(plate.min.y, 0, 1e-6);
    EXPECT_NEAR(plate.max.y, 0.2, 0.05);
    EXPECT_NEAR(Model("cube_cannon_plateCO").bounds.max.y, plate.max.y, 0.02);

    const Bounds& gun = Model("cube_cannon_gun").bounds;
    EXPECT_GE(gun.size(0), 0.5);
    EXPECT_LE(gun.size(0), 0.7);
    EXPECT_NEAR(gun.min.x + gun.max.x, 0, 1e-5);
    EXPECT_NEAR(gun.min.y + gun.max.y, 0, 1e-5);
    EXPECT_GT(gun.max.z, 0.6);                // the barrel reaches forward...
    EXPECT_LT(gun.max.z, 0.95);               // ...and ends short of the muzzle point 1.0 ahead
    EXPECT_GE(0.5 + gun.min.y, plate.max.y);  // the turret clears the plate

    const Bounds& trigger = Model("cube_cannon_trigger").bounds;
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GE(trigger.size(axis), 10);
        EXPECT_LE(trigger.size(axis), 20);
    }
    EXPECT_NEAR(trigger.min.x + trigger.max.x, 0, 1e-5);

    const Bounds& wheel = Model("cube_moving_bomb_wheel").bounds;
    EXPECT_NEAR(wheel.size(1), 0.6, 0.05);
    EXPECT_NEAR(wheel.size(2), 0.6, 0.05);
    EXPECT_LT(wheel.size(0), wheel.size(1));  // rolls about x

    for (const char* body : {"cubefly_body", "cubejumpingblock"}) {
        const Bounds& b = Model(body).bounds;
        EXPECT_NEAR(b.min.x + b.max.x, 0, 1e-5) << body;
        EXPECT_NEAR(b.min.y + b.max.y, 0, 1e-5) << body;
        EXPECT_GT(b.max.z, -b.min.z) << body;  // its face or gun points to +Z
    }
    EXPECT_GE(Model("cubefly_body").bounds.size(0), 0.5);
    EXPECT_LE(Model("cubefly_body").bounds.size(0), 0.7);
    EXPECT_NEAR(Model("cubejumpingblock").bounds.size(0), 0.8, 0.05);
    EXPECT_GT(Model("cubefly_wings_up").bounds.max.y, Model("cubefly_wings_down").bounds.max.y);
}

TEST(Models, LevelPiecesAreSizedForPlay) {
    const Bounds& box = Model("box").bounds;
    EXPECT_NEAR(box.size(0), 1.2, 1e-5);
    EXPECT_NEAR(box.size(1), 0.3, 1e-5);
    EXPECT_NEAR(box.min.y, 0, 1e-6);

    const Bounds& ground = Model("level_ground_126x200").bounds;
    EXPECT_NEAR(ground.max.y, 0, 1e-6);
    EXPECT_GE(ground.size(0), 100);
    EXPECT_GE(Model("level_wall_8x6").bounds.size(1), 5);  // tall enough for wall jumps

    // The hollow sphere: radius about 4, entered by rolling along the ground from +Z.
    const Loaded& sphere = Model("level_hollow_sphere");
    EXPECT_NEAR(sphere.bounds.size(0), 8, 0.1);
    EXPECT_LT(RayHit(sphere.mesh, {0, 0.2, 8}, {0, 0, -1}, 8), 0);
    EXPECT_GT(RayHit(sphere.mesh, {8, 0.2, 0}, {-1, 0, 0}, 8), 0);
    EXPECT_GT(RayHit(sphere.mesh, {0, 0.2, 0}, {0, 0, -1}, 8), 0);  // closed at the back
}

}  // namespace
