// The materials of every model, one line each: name, diffuse colour, ambient factor, specular
// level, shininess, texture. Textured materials are near white so the picture shows as painted.
#pragma once

#include "material.h"

namespace look {

constexpr Rgb kWhite{0.9f, 0.9f, 0.9f};

// Level surfaces.
inline const MaterialLook kGrass{"grass", kWhite, 2.0f, 0.05f, 8, "grass.jpg"};
inline const MaterialLook kConcrete{"concrete", kWhite, 2.0f, 0.1f, 10, "concrete.jpg"};
inline const MaterialLook kFloorTiles{"floor_tiles", kWhite, 2.0f, 0.25f, 30, "tiles.jpg"};
inline const MaterialLook kTreadPlate{"tread_plate", kWhite, 2.0f, 0.5f, 60, "tread_plate.jpg"};
inline const MaterialLook kMetalPanel{"metal_panel", kWhite, 2.0f, 0.45f, 50, "metal_panel.jpg"};
inline const MaterialLook kCrate{"crate", kWhite, 2.0f, 0.1f, 12, "crate.jpg"};
inline const MaterialLook kDoor{"door", kWhite, 2.0f, 0.5f, 60, "door.jpg"};

// Things the player meets.
inline const MaterialLook kGold{"gold", kWhite, 2.0f, 0.9f, 90, "gold.jpg"};
inline const MaterialLook kBall{"ball", kWhite, 2.0f, 0.7f, 80, "ball.jpg"};
inline const MaterialLook kGunmetal{"gunmetal", kWhite, 2.0f, 0.7f, 70, "gunmetal.jpg"};
inline const MaterialLook kHealthLabel{"health_label", kWhite, 2.2f, 0.3f, 40, "health_label.jpg"};
inline const MaterialLook kAmmoLabel{"ammo_label", kWhite, 2.2f, 0.2f, 20, "ammo_label.jpg"};
inline const MaterialLook kVisor{"visor", {0.10f, 0.13f, 0.18f}, 2.0f, 1.0f, 110, nullptr};
inline const MaterialLook kVisorEyes{"visor_eyes", {0.3f, 0.9f, 1.0f}, 4.0f, 0.8f, 60, nullptr};
inline const MaterialLook kCrystal{"crystal", {0.3f, 1.0f, 0.5f}, 3.0f, 1.0f, 100, nullptr};
inline const MaterialLook kTracer{"tracer", {1.0f, 0.85f, 0.3f}, 4.5f, 0.5f, 30, nullptr};
inline const MaterialLook kRocketBody{"rocket_body", {0.88f, 0.88f, 0.85f}, 2.0f, 0.6f, 60,
                                      nullptr};
inline const MaterialLook kRocketRed{"rocket_red", {0.85f, 0.15f, 0.1f}, 2.0f, 0.6f, 60, nullptr};
inline const MaterialLook kGrenade{"grenade", {0.3f, 0.36f, 0.2f}, 2.0f, 0.4f, 40, nullptr};

// Enemies: one skin per kind, and their details.
inline const MaterialLook kCannonSkin{"enemy_red", kWhite, 2.0f, 0.5f, 50, "enemy_red.jpg"};
inline const MaterialLook kBombSkin{"enemy_yellow", kWhite, 2.0f, 0.5f, 50, "enemy_yellow.jpg"};
inline const MaterialLook kFlySkin{"enemy_green", kWhite, 2.0f, 0.5f, 50, "enemy_green.jpg"};
inline const MaterialLook kBlockSkin{"enemy_purple", kWhite, 2.0f, 0.5f, 50, "enemy_purple.jpg"};
inline const MaterialLook kEyes{"eyes", {1.0f, 0.9f, 0.35f}, 4.5f, 0.8f, 60, nullptr};
inline const MaterialLook kMouth{"mouth", {0.05f, 0.05f, 0.05f}, 2.0f, 0.2f, 20, nullptr};
inline const MaterialLook kSpikes{"spikes", {0.7f, 0.72f, 0.76f}, 2.0f, 0.9f, 90, nullptr};
inline const MaterialLook kWings{"wings", {0.7f, 0.85f, 0.95f}, 2.5f, 0.9f, 90, nullptr};

// Shapes that are only felt, never seen: collision hulls and trigger volumes.
inline const MaterialLook kHull{"hull", {0.5f, 0.5f, 0.5f}, 1.0f, 0, 0, nullptr};
inline const MaterialLook kTrigger{"trigger", {0.3f, 0.5f, 1.0f}, 1.0f, 0, 0, nullptr};

}  // namespace look
