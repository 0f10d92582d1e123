#include "run/trace.h"

#include "core/globals.h"
#include "common/json_writer.h"
#include "enemies/cube_cannon.h"
#include "enemies/cube_fly.h"
#include "enemies/cube_jumping_block.h"
#include "enemies/cube_moving_bomb.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "render/camera.h"
#include "player/projectile.h"
#include "player/weapon.h"
#include "render/lens_flare.h"
#include "render/particles.h"
#include "scene/door.h"
#include "scene/pickup_items.h"
#include "scene/ring.h"
#include "objects/trigger.h"

namespace {

void Vector(JsonWriter& json, const char* key, const NxVec3& v) {
    const float values[3] = {v.x, v.y, v.z};
    json.field(key, values, 3);
}

// The rings and doors among the level's objects, in the order of the level file.
void TraceRings(JsonWriter& json) {
    for (Object* object : objects) {
        auto* ring = dynamic_cast<zvRing*>(object);
        if (ring == nullptr) continue;
        json.beginObject();
        Vector(json, "pos", ring->getPosition());
        json.field("collected", ring->collected);
        json.field("upperOccupied", ring->upperTrigger->occupied);
        json.field("lowerOccupied", ring->lowerTrigger->occupied);
        json.endObject();
    }
}

void TraceDoors(JsonWriter& json) {
    for (Object* object : objects) {
        auto* door = dynamic_cast<zvDoor*>(object);
        if (door == nullptr) continue;
        json.beginObject();
        Vector(json, "pos", door->getPosition());
        json.field("baseY", door->baseY);
        json.field("state", door->trigger != nullptr ? "closed"
                            : door->finished         ? "open"
                                                     : "opening");
        json.field("hasTrigger", door->trigger != nullptr);
        json.endObject();
    }
}

void TraceAvatar(JsonWriter& json) {
    json.beginObject("avatar");
    Vector(json, "pos", avatar->actor->getGlobalPosition());
    Vector(json, "vel", avatar->actor->getLinearVelocity());
    json.field("yaw", avatar->yaw);
    json.field("pitch", avatar->pitch);
    json.field("health", avatar->health);
    json.field("lives", avatar->lives);
    json.field("alive", avatar->alive);
    json.field("rings", avatar->rings);
    json.field("respawnItems", avatar->respawnItems);
    const float ammo[2] = {static_cast<float>(avatar->leftWeapon->ammo),
                           static_cast<float>(avatar->rightWeapon->ammo)};
    json.field("ammo", ammo, 2);
    Vector(json, "respawnPoint", avatar->respawnPoint);
    json.field("interaction", avatar->interactionTarget != nullptr);
    json.field("groundDistance", avatar->groundDistance);
    json.field("jumpTime", avatar->jumpTime);
    json.endObject();
}

void TraceProjectiles(JsonWriter& json) {
    json.beginArray("projectileList");
    for (Projectile* p : projectiles) {
        json.beginObject();
        Vector(json, "pos", p->body->actor->getGlobalPosition());
        Vector(json, "vel", p->body->actor->getLinearVelocity());
        json.field("lifetime", p->lifetime);
        json.endObject();
    }
    json.endArray();
}

// The heading of each kind, and the pitch of the kinds that have one.
void TraceAim(JsonWriter& json, zvEnemy* enemy) {
    switch (enemy->kind) {
        case 0: {
            auto* cannon = static_cast<CubeCannon*>(enemy);
            json.field("yaw", cannon->gunYaw);
            json.field("pitch", cannon->gunPitch);
            break;
        }
        case 1: json.field("yaw", static_cast<CubeMovingBomb*>(enemy)->yaw); break;
        case 2: {
            auto* fly = static_cast<CubeFly*>(enemy);
            json.field("yaw", fly->yaw);
            json.field("pitch", fly->pitch);
            break;
        }
        case 3: json.field("yaw", static_cast<CubeJumpingBlock*>(enemy)->yaw); break;
    }
}

void TraceEnemies(JsonWriter& json) {
    json.beginArray("enemies");
    for (zvEnemy* e : enemies) {
        json.beginObject();
        json.field("kind", e->kind);
        json.field("state", e->state);
        json.field("health", e->health);
        Vector(json, "pos", e->getPosition());
        Vector(json, "vel", e->body->actor->getLinearVelocity());
        TraceAim(json, e);
        json.field("hasTarget", e->target != nullptr);
        json.field("hasTrigger", e->trigger != nullptr);
        json.endObject();
    }
    json.endArray();
}

const char* ItemKind(Object* object) {
    if (dynamic_cast<zvHealthItem*>(object)) return "health";
    if (dynamic_cast<zvAmmoItem*>(object)) return "ammo";
    if (dynamic_cast<zvRespawnItem*>(object)) return "respawn";
    return nullptr;
}

void TraceItems(JsonWriter& json) {
    json.beginArray("items");
    for (Object* o : objects) {
        const char* kind = ItemKind(o);
        if (kind == nullptr) continue;
        auto* item = static_cast<ModelObject*>(o);
        json.beginObject();
        json.field("kind", kind);
        Vector(json, "pos", item->getPosition());
        Vector(json, "vel", item->body->actor->getLinearVelocity());
        json.endObject();
    }
    json.endArray();
}

void TraceCamera(JsonWriter& json) {
    json.beginObject("camera");
    json.field("mode", camera->mode);
    json.field("eye", camera->eye, 3);
    json.field("center", camera->center, 3);
    json.endObject();
}

}  // namespace

void TraceFrame(int frame, std::string& out) {
    JsonWriter json;
    json.beginObject();
    json.field("frame", frame);
    json.field("gameTime", gameTime);
    json.field("timeDelta", timeDelta);
    json.field("paused", paused);
    TraceAvatar(json);
    TraceCamera(json);
    json.field("sunVisible", lensFlare->sunVisible());
    json.beginObject("counts");
    json.field("objects", static_cast<int>(objects.size()));
    json.field("enemies", static_cast<int>(enemies.size()));
    json.field("projectiles", static_cast<int>(projectiles.size()));
    json.field("particles", particles->particleCount());
    json.field("animations", static_cast<int>(animations.size()));
    json.endObject();
    TraceProjectiles(json);
    TraceEnemies(json);
    TraceItems(json);
    json.beginArray("rings");
    TraceRings(json);
    json.endArray();
    json.beginArray("doors");
    TraceDoors(json);
    json.endArray();
    json.endObject();
    out += json.text();
}
