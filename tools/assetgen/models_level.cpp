// The pieces a level file places, one line each. Pieces stand on y = 0 centred on their origin,
// except the ground and the floors, whose walkable top is y = 0 so the placement's height is the
// floor's height. Walls run along x; ramps and steps climb towards +Z.
#include <cmath>

#include "materials.h"
#include "models.h"
#include "shapes.h"

namespace {

enum class Form {
    Floor,         // a slab whose top is y = 0
    Block,         // a box standing on y = 0
    Ramp,          // a wedge rising from 0 at -z to size.y at +z
    Steps,         // one step per unit of depth, rising to size.y at +z
    Pillar,        // a round column of diameter size.x, with plinth and cap
    HollowSphere,  // a shell of diameter size.x sunk a quarter into the ground, entrance on +z
};

struct LevelPiece {
    const char* name;
    Form form;
    Vec3 size;  // width (x), height (y), depth (z)
    const MaterialLook& material;
    float tile;  // texture repeat in units; 0 fits the texture once on each face
};

const LevelPiece kPieces[] = {
    // The ground of the 200 x 200 level in four slabs around an 8 x 8 pit at x 26..34, z -4..4.
    {"level_ground_126x200", Form::Floor, {126, 1, 200}, look::kGrass, 4},
    {"level_ground_66x200", Form::Floor, {66, 1, 200}, look::kGrass, 4},
    {"level_ground_8x96", Form::Floor, {8, 1, 96}, look::kGrass, 4},
    {"level_floor_4x4", Form::Floor, {4, 0.25f, 4}, look::kFloorTiles, 4},
    {"level_floor_8x8", Form::Floor, {8, 0.25f, 8}, look::kFloorTiles, 4},
    {"level_wall_4x2", Form::Block, {4, 2, 0.5f}, look::kConcrete, 4},
    {"level_wall_8x3", Form::Block, {8, 3, 0.5f}, look::kConcrete, 4},
    {"level_wall_8x6", Form::Block, {8, 6, 0.5f}, look::kConcrete, 4},
    {"level_wall_16x8", Form::Block, {16, 8, 0.5f}, look::kConcrete, 4},
    {"level_platform_2x2x1", Form::Block, {2, 1, 2}, look::kMetalPanel, 2},
    {"level_platform_4x4x2", Form::Block, {4, 2, 4}, look::kMetalPanel, 2},
    // Ramps rise 1 in 8: the ball's ground probe, cast just behind it, must still find the
    // slope within 0.24 for the ground force to push it up.
    {"level_ramp_8x1", Form::Ramp, {2, 1, 8}, look::kTreadPlate, 2},
    {"level_ramp_16x2", Form::Ramp, {4, 2, 16}, look::kTreadPlate, 2},
    {"level_steps_3x05", Form::Steps, {2, 1.5f, 3}, look::kTreadPlate, 2},
    {"level_steps_4x1", Form::Steps, {3, 4, 4}, look::kTreadPlate, 2},
    {"level_crate_05", Form::Block, {0.5f, 0.5f, 0.5f}, look::kCrate, 0},
    {"level_crate_1", Form::Block, {1, 1, 1}, look::kCrate, 0},
    {"level_pillar_4", Form::Pillar, {0.8f, 4, 0.8f}, look::kConcrete, 2},
    {"level_pillar_8", Form::Pillar, {1.2f, 8, 1.2f}, look::kConcrete, 2},
    {"level_hollow_sphere", Form::HollowSphere, {8, 8, 8}, look::kMetalPanel, 2},
};

void BuildPiece(Mesh& mesh, const LevelPiece& piece) {
    mesh.use(piece.material);
    Vec3 half = piece.size * 0.5f;
    switch (piece.form) {
        case Form::Floor:
            AddBox(mesh, {}, {-half.x, -piece.size.y, -half.z}, {half.x, 0, half.z}, piece.tile);
            break;
        case Form::Block:
            AddBox(mesh, {}, {-half.x, 0, -half.z}, {half.x, piece.size.y, half.z}, piece.tile);
            break;
        case Form::Ramp:
            AddPrism(mesh, {}, {{-half.z, 0}, {half.z, 0}, {half.z, piece.size.y}}, piece.size.x,
                     piece.tile);
            break;
        case Form::Steps: {
            int count = static_cast<int>(std::lround(piece.size.z));
            float rise = piece.size.y / count, tread = piece.size.z / count;
            std::vector<Vec2> outline{{half.z, 0}, {half.z, piece.size.y}};
            for (int i = count - 1; i >= 0; --i) {
                float z = -half.z + tread * i;
                outline.push_back({z, rise * (i + 1)});
                if (i > 0) outline.push_back({z, rise * i});
            }
            outline.push_back({-half.z, 0});
            AddPrism(mesh, {}, outline, piece.size.x, piece.tile);
            break;
        }
        case Form::Pillar: {
            float r = half.x, trim = 0.25f, reach = r * 1.3f;
            // The column's ends lie inside plinth and cap, so no two faces share a plane.
            AddFrustum(mesh, {}, r, r, trim / 2, piece.size.y - trim / 2, 24, piece.tile);
            AddBox(mesh, {}, {-reach, 0, -reach}, {reach, trim, reach}, piece.tile);
            AddBox(mesh, {}, {-reach, piece.size.y - trim, -reach}, {reach, piece.size.y, reach},
                   piece.tile);
            break;
        }
        case Form::HollowSphere: {
            // Sunk by a quarter of its radius with the entrance's lower rim under the ground, so
            // the ball rolls straight in from the ground around it.
            float outer = half.x, inner = outer - 0.3f;
            float tilt = 35 * kPi / 180;
            AddHollowSphere(mesh, Transform::At({0, outer * 0.75f, 0}), outer, inner,
                            {0, -std::sin(tilt), std::cos(tilt)}, 25 * kPi / 180, 48, 24,
                            piece.tile);
            break;
        }
    }
}

}  // namespace

const std::vector<ModelAsset>& LevelPieces() {
    static const std::vector<ModelAsset> models = [] {
        std::vector<ModelAsset> list;
        for (const LevelPiece& piece : kPieces)
            list.push_back({piece.name, [&piece](Mesh& mesh) { BuildPiece(mesh, piece); }});
        return list;
    }();
    return models;
}
