#!/usr/bin/env bash
# Plants known faults in the game one at a time and reports whether the tests catch each: the
# fault changes one line, the test program that should see it is rebuilt and run, and the file
# is restored whatever happens. Every fault must be caught.
#
#   tests/faults.sh [NUMBER...]     all faults, or the numbered ones
#
# Needs a configured build/ (./test.sh makes one); runs under Xvfb when there is no display.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=build

# Sound plays into OpenAL Soft's null device, as under CTest: the console stays the game's own.
export ALSOFT_DRIVERS=null

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# program[:gtest filter] | file | sed script that plants the fault | what goes wrong
FAULTS=(
    # The physics layer.
    "test_nx|src/physics/nx/NxScene.cpp|s/std::min<double>(due, maxSteps)/std::min<double>(due, maxSteps + 1)/|one sub-step more than the limit per call"
    "test_nx|src/physics/nx/internal/pair_tracker.cpp|/at->lastStep = step;/{n;s/return false;/return true;/}|a touching pair is reported again every sub-step"
    "test_nx|src/physics/nx/internal/actor_core.cpp|s/kMaxAngularSpeed = 7.0f/kMaxAngularSpeed = 8.0f/|spin limit of 8 rad/s"
    "test_nx|src/physics/nx/internal/actor_core.cpp|s/return 1.0f - std::exp(-std::max(rate, 0.0f));/return std::min(std::max(rate, 0.0f) \/ 60.0f, 1.0f);/|damping as a fixed share per sub-step"
    "test_nx|src/physics/nx/internal/scene_events.cpp|s/if (trigger->getFlag(NX_TRIGGER_ON_LEAVE))/if (false)/|trigger leaves never reported"
    "test_nx:Contacts.Trigger*|src/physics/nx/internal/scene_events.cpp|s/> b.radius + b.shape->getMargin();/> 0;/|a body within reach of a trigger's face counted as apart"
    "test_nx|src/physics/nx/internal/cooked_format.cpp|s/if (found != magic) {/if (false) {/|cooked files read without checking their kind"
    "test_nx|src/physics/nx/internal/ray_cast.cpp|/m_collisionFilterGroup & static_cast<int>(mask_)/d|ray casts ignore the group mask"
    "test_nx|src/physics/nx/NxScene.cpp|/core_->wakeTouching(actor.core());/d|releasing an actor leaves what rests on it asleep"
    "test_nx|src/physics/nx/NxScene.cpp|s/if (involved) event.cancelled = true;//|reports of a released actor still delivered"
    # Rendering and assets.
    "test_render|src/render/frustum.cpp|s/plane.Distance(centre) < -radius/plane.Distance(centre) < radius/|spheres reaching over a plane culled"
    "test_render|src/render/texture.cpp|/glPixelStorei(GL_UNPACK_ALIGNMENT, 1);/d|rows read as if padded to four bytes"
    "test_render|src/render/texture.cpp|s/bilinear ? GL_LINEAR_MIPMAP_LINEAR/bilinear ? GL_LINEAR_MIPMAP_NEAREST/|wrong minifying filter for bilinear mipmaps"
    "test_render|src/render/model.cpp|s/if (corner >= vertices.size()) return -1;/if (corner > vertices.size()) return -1;/|a corner one past the last vertex accepted"
    "test_render|src/render/model.cpp|/first += materialTriangleCounts\[m\];/d|every material drawn from the first triangle"
    "test_render|src/render/model.cpp|s/if (texture != 0) DeleteTexture(texture);/(void)texture;/|released models keep their textures"
    "test_render|src/render/model.cpp|s/            SelectEveryMaterial();/            ;/|a model out of view leaves the previous model's material and texturing"
    "test_render|src/render/ms3d_file.cpp|s/header.version != 4)/header.version < 4)/|later file versions read as version 4"
    "test_world|src/render/sky_box.h|s/\"x-.bmp\",$/\"x+.bmp\",/;s/\"x+.bmp\", \"y+/\"x-.bmp\", \"y+/|two sky faces swapped"
    "test_world|src/render/particles.cpp|s/if (p.life - dt <= 0) continue;/if (p.life - dt < 0) continue;/|a particle at life 0 lives on"
    "test_player:Play.Jumps*|src/render/camera.cpp|s/kFollowDistance = 1.0f/kFollowDistance = 1.5f/|the camera follows farther behind"
    # Scene objects.
    "test_world|src/objects/trigger.cpp|/shape->setGroup(2);/d|trigger volumes block the rays"
    "test_world|src/objects/ground_plane.cpp|s/{0, 0, 1}, {0, 0, -1}}/{0, 0, 1}, {0, 0, 1}}/|one world bound faces the wrong way"
    "test_world|src/objects/actor_pose.cpp|s/setGlobalOrientation(rotY \* rotX)/setGlobalOrientation(rotX * rotY)/|pitch applied before yaw"
    "test_enemies:EnemyWorld.Dying*|src/objects/model_object.cpp|s/    delete body;/    (void)body;/|released objects leave their actors in the scene"
    # The player.
    "test_player:MovementTest.*|src/player/avatar.cpp|s/kWallTolerance = 0.1f/kWallTolerance = 0.2f/|wall jumps off slopes"
    "test_player:MovementTest.*|src/player/avatar.cpp|s/getLinearVelocity().y <= 0) jumpTime/getLinearVelocity().y < 0) jumpTime/|the boost is not restored at the top of a rise"
    "test_player:Play.Falls*|src/player/avatar.cpp|/addAmmo(50);/d|a lost life restores no ammunition"
    "test_player:WeaponTest.*|src/player/weapon.cpp|s/fireInterval < time - lastFireTime/fireInterval <= time - lastFireTime/|a weapon fires again after exactly one interval"
    "test_player:ProjectileTest.*|src/player/projectile.cpp|s/5.0f, 1.0f, 0.5f, 3.0}/5.0f, 1.0f, 0.5f, 4.0}/|grenades burst after 4 s"
    "test_player:ProjectileTest.*|src/player/explosion.cpp|s/(1.0f - d \/ radius) \* maxDamage)/(1.0f - d \/ radius) * maxDamage + 0.5f)/|explosion damage rounded"
    "test_player:ProjectileTest.*|src/player/projectile.cpp|/if (other->type == OBJECT_TYPE_AVATAR) return;/d|rockets burst on the avatar"
    # Rings, doors and items.
    "test_world|src/scene/ring.cpp|s/!upperTrigger->occupied .. //|a ring counts through its lower half alone"
    "test_player:RingsAndDoors.*|src/scene/door.cpp|/ReleaseTrigger(trigger);  \/\/ it cannot be opened twice/d|an opened door keeps its trigger"
    "test_player:Feel.*|src/scene/door.cpp|s/p.y + openSpeed \* dt/p.y + openSpeed \/ 60.0/|doors rise by the step, not the time"
    "test_enemies:ItemsTest.*|src/scene/pickup_items.cpp|/item->expired = true;/d|an item is taken twice"
    "test_enemies:ItemsTest.*|src/scene/pickup_items.cpp|s/if (r < 2.7)/if (r < 2.6)/|fewer ammunition drops"
    # Enemies.
    "test_enemies:EnemyPlay.*Cannon*|src/enemies/cube_cannon.cpp|s/kTurnSpeed = 3.0f/kTurnSpeed = 4.0f/|the cannon turns too fast"
    "test_enemies|src/enemies/cube_fly.cpp|s/if (distance > 3.0f)/if (distance >= 3.0f)/|the fly closes in at its distance"
    "test_enemies:EnemyPlay.*Jumping*|src/enemies/cube_jumping_block.cpp|s/nextJumpTime = time + jumpInterval;/nextJumpTime = time;/|the block leaps every step"
    "test_enemies:EnemyWorld.*|src/enemies/enemy.cpp|s/if (!dying()) state = noticedState();/state = noticedState();/|a dying enemy revived by the avatar"
    "test_enemies:EnemyWorld.*|src/enemies/cube_moving_bomb.cpp|/trigger->setPose(wheel->getGlobalPosition()/d|the bomb's trigger stays behind"
    "test_enemies:EnemyAim.*|src/enemies/enemy.cpp|s/float cosine = std::clamp(d.z \/ std::sqrt(d.x \* d.x + d.z \* d.z), -1.0f, 1.0f);/float cosine = d.z \/ std::sqrt(d.x * d.x + d.z * d.z);/|headings NaN near straight up"
    "test_enemies:EnemyPlay.*Cannon*|src/enemies/cube_cannon.cpp|/^    releaseTrigger();$/d|a dead cannon's trigger stays in the scene"
    # The shell.
    "test_enemies:EnemyWorld.Dying*|src/app/step.cpp|/if (drawn != objects.end()) objects.erase(drawn);/d|a freed enemy stays on the draw list"
    "test_player:MovementTest.*|src/app/step.cpp|/keyForward \&\& !keyBackward/s/0.707f/0.5f/|the diagonal key splits the force unevenly"
    "test_runner:Startup.Steps*|src/app/step.cpp|/perfLast = perfNow;/d|each step measured from the start"
    "test_player:HudTest.*|src/app/hud.cpp|s/cx - 100 + 2 \* static_cast<int>(h)/cx - 100 + 3 * static_cast<int>(h)/|the health bar three pixels a point"
    "test_player:HudTest.*|src/app/hud.cpp|s/modelObject->model->ReloadTextures(bilinear, mipmap);/(void)modelObject;/|F4 and F5 leave the world's textures as they were"
    "test_world|src/app/level.cpp|/^    LoadBox();/d|the box not loaded"
    "test_world:Level.EveryMistake*|src/app/level_check.cpp|s/if (value >= 0 \&\& value <= kMaxCount)/if (value <= kMaxCount)/|negative counts accepted"
    "test_player:Play.Jumps*|src/app/input.cpp|s/camera->mode < 2 ? camera->mode + 1/camera->mode < 3 ? camera->mode + 1/|C cycles into the orbit"
    "test_runner|src/app/input.cpp|/perfLast = counter.QuadPart;/d|a pause counts as step time"
    "test_player:RingsAndDoors.Three*|src/app/frame.cpp|s/nextSparkleTime = gameTime + 0.05;/nextSparkleTime = gameTime + 0.5;/|rings sparkle ten times less"
    # The platform and the shell's core.
    "test_platform|src/platform/profile.cpp|s/size_t close = line.find(']');/size_t close = line.rfind(']');/|section names run to the last ]"
    "test_platform|src/platform/profile.cpp|/if (inner > 0 \&\& size == inner + 1) count = inner - 1;/d|a cut quoted value keeps one byte too many"
    "test_platform|src/platform/game_path.cpp|s/strcasecmp(entry->d_name, name.c_str()) == 0/name == entry->d_name/|file names matched with case"
    "test_platform|src/platform/game_path.cpp|/== '.r' \&\& in + 1 < text.size()/d|text files keep their CR LF"
    "test_app|src/core/log.cpp|0,/std::fflush(logFile);/{/std::fflush(logFile);/d}|log lines not flushed"
    "test_app|src/core/removal.h|s/auto it = collected.back();/auto it = collected.front();/|collected entries handled first-first"
    # The tools.
    "test_runner|tools/run/script.cpp|s/step.number <= 12/step.number <= 13/|scripts accept F13"
    "test_assets|tools/assetgen/mesh.cpp|s/if (Dot(face, a.normal + b.normal + c.normal) < 0)/if (Dot(face, a.normal + b.normal + c.normal) > 0)/|triangles wound inwards"
    "test_assets|tools/assetgen/models_world.cpp|s/kRingMajor = 0.48f/kRingMajor = 0.40f/|the ring's opening too narrow"
    "test_world:SkyBox.*|tools/assetgen/sky.cpp|s/{\"x-.bmp\", {1, -1, -1}/{\"x+.bmp\", {1, -1, -1}/;s/{\"x+.bmp\", {-1, -1, 1}/{\"x-.bmp\", {-1, -1, 1}/|two painted sky faces swapped"
    # The physics layer again (numbered after the rest so that the numbers above stay put).
    "test_nx:Landing.*|src/physics/nx/internal/bullet_world.cpp|s/    if (normal == measuredNormal) return;/    return;/|a ball rolling over a mesh's inner edges hops off them"
    # The level author's messages.
    "test_world:Level.TheGame*|src/core/stop.cpp|s/std::fprintf(stderr, \"%s\\\\n\", message);/std::printf(\"%s\\\\n\", message);/|stops told among the progress on standard output"
    "test_assets:Cook.Check*|src/app/level_files.cpp|s/if (!Exists(texture))/if (false)/|a model's missing texture not reported"
)

program_path() {
    find "$BUILD/tests" -type f -name "$1" -perm -u+x | head -n 1
}

# Builds the program and runs it (with its filter) in the stage folder; 0 when every test passes.
build_and_run() {
    local target=${1%%:*} filter=
    [[ $1 == *:* ]] && filter=${1#*:}
    cmake --build "$BUILD" -j2 --target "$target" >"$LOG" 2>&1 || return 2
    local binary
    binary=$(program_path "$target")
    [ -n "$binary" ] || return 2
    (cd "$BUILD/stage" && timeout 900 "$OLDPWD/$binary" ${filter:+--gtest_filter="$filter"}) \
        >>"$LOG" 2>&1
}

LOG=$(mktemp)
SAVED=$(mktemp)
PLANTED=
restore() {
    if [ -n "$PLANTED" ]; then
        cp "$SAVED" "$PLANTED"
        PLANTED=
    fi
}
trap 'restore; rm -f "$LOG" "$SAVED"' EXIT
trap 'exit 130' INT TERM

selected=("$@")
if [ ${#selected[@]} -eq 0 ]; then
    for i in "${!FAULTS[@]}"; do selected+=($((i + 1))); done
fi

# The programs must pass before any fault is planted, or every fault would seem caught.
declare -A clean
for n in "${selected[@]}"; do
    IFS='|' read -r program _ <<<"${FAULTS[n - 1]}"
    [ -n "${clean[$program]:-}" ] && continue
    if ! build_and_run "$program"; then
        echo "$program fails without a fault:" >&2
        tail -n 30 "$LOG" >&2
        exit 2
    fi
    clean[$program]=1
done

caught=0 missed=0
for n in "${selected[@]}"; do
    IFS='|' read -r program file script what <<<"${FAULTS[n - 1]}"
    cp "$file" "$SAVED"
    PLANTED=$file
    sed -i -e "$script" "$file"
    if cmp -s "$file" "$SAVED"; then
        restore
        echo "fault $n: the script changes nothing in $file" >&2
        exit 2
    fi
    build_and_run "$program"
    status=$?
    restore
    if [ $status -eq 2 ] && grep -q "FAILED: " "$LOG" && ! grep -q "^\[==========\]" "$LOG"; then
        echo "fault $n does not compile:" >&2
        grep -m 5 "error" "$LOG" >&2
        exit 2
    fi
    if [ $status -ne 0 ]; then
        result=caught
        caught=$((caught + 1))
    else
        result=MISSED
        missed=$((missed + 1))
    fi
    printf '%3d %-7s %-40s %s\n' "$n" "$result" "${program%%:*} ${file#*/}" "$what"
done
# The programs were last built with a fault in them: build them again from the restored sources.
cmake --build "$BUILD" -j2 >"$LOG" 2>&1 || echo "the build from the restored sources fails" >&2
echo "$caught of $((caught + missed)) caught"
[ $missed -eq 0 ]
