#include "run/trace.h"

#include "app/globals.h"
#include "common/json_writer.h"
#include "physics/actor_holder.h"
#include "player/avatar.h"
#include "player/camera.h"
#include "player/projectile.h"
#include "player/weapon.h"
#include "render/lens_flare.h"
#include "render/particles.h"

namespace {

void Vector(JsonWriter& json, const char* key, const NxVec3& v) {
    const float values[3] = {v.x, v.y, v.z};
    json.field(key, values, 3);
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
    json.beginArray("enemies");
    json.endArray();
    json.beginArray("rings");
    json.endArray();
    json.beginArray("doors");
    json.endArray();
    json.endObject();
    out += json.text();
}
