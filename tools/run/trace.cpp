#include "run/trace.h"

#include "app/globals.h"
#include "run/json_writer.h"

void TraceFrame(int frame, std::string& out) {
    JsonWriter json;
    json.beginObject();
    json.field("frame", frame);
    json.field("gameTime", gameTime);
    json.field("timeDelta", timeDelta);
    json.field("paused", paused);
    json.beginObject("counts");
    json.field("objects", static_cast<int>(objects.size()));
    json.field("enemies", static_cast<int>(enemies.size()));
    json.field("projectiles", static_cast<int>(projectiles.size()));
    json.field("animations", static_cast<int>(animations.size()));
    json.endObject();
    json.endObject();
    out += json.text();
}
