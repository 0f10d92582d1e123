#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/) and prints one table of the game's speed, the
# machine named at the top. Every comparison is measured side by side in one run, the sides taking
# turns, and each figure is the median of repeated runs.
#
#   ./bench.sh [--baseline REF] [--only ROWS] [--detail] [--rounds N]
#
# --baseline REF  also builds the game as it was at git REF (in build-bench/baseline/, with
#                 today's benchmark programs) and measures it beside today's, row by row
# --only ROWS     only these rows, a comma-separated list of frames, physics, models, levels
# --detail        the model rows file by file
# --rounds N      runs of each frame and start-up figure to take the median of (3)
set -euo pipefail
cd "$(dirname "$0")"

baseline="" detail="" rounds=3 only=frames,physics,models,levels
while [ $# -gt 0 ]; do
    case "$1" in
        --baseline) baseline="${2:?--baseline takes a git ref}"; shift 2 ;;
        --only) only="${2:?--only takes a list of rows}"; shift 2 ;;
        --detail) detail=--detail; shift ;;
        --rounds) rounds="${2:?--rounds takes a count}"; shift 2 ;;
        *) echo "usage: ./bench.sh [--baseline REF] [--only ROWS] [--detail] [--rounds N]" >&2
           exit 2 ;;
    esac
done

source tools/setup.sh
# The Asset Importer library is the model benchmark's yardstick, never the game's need; valgrind
# counts instructions where the clock is too noisy to tell.
install_missing_packages libassimp-dev valgrind
root="$PWD/build-bench"
targets=(frame-bench model-bench nx-bench stage_data stage_assets stage_cooked)

# build FOLDER SOURCE: the benchmark programs and the stage, Release.
build() {
    cmake -S "$2" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$1" -j2 --target "${targets[@]}" >/dev/null
}
echo "building in build-bench/ ..." >&2
build "$root/current" .
if [ -n "$baseline" ]; then
    # The old game with today's benchmark programs, so both sides measure the same way.
    # The files keep the commit's time, so the same REF again rebuilds nothing.
    rm -rf "$root/baseline-src"
    mkdir -p "$root/baseline-src"
    git archive "$baseline" | tar -x -C "$root/baseline-src"
    rm -rf "$root/baseline-src/bench"
    cp -r bench "$root/baseline-src/bench"
    build "$root/baseline" "$root/baseline-src"
fi
stage="$root/current/stage"

# game_folder NAME WIDTH HEIGHT [MODELS]: a game folder beside the stage with its own window size
# and, given MODELS, a level of that many model entries: the ground and crates on a grid,
# listed row by row.
game_folder() {
    local folder="$root/folders/$1"
    rm -rf "$folder"
    mkdir -p "$folder"
    ln -s "$stage/models" "$folder/models"
    ln -s "$stage/textures" "$folder/textures"
    cp -r "$stage/data" "$folder/data"
    sed -i "s/^winResX=.*/winResX=$2/; s/^winResY=.*/winResY=$3/" "$folder/data/game.ini"
    [ -n "${4:-}" ] && awk -v n="$4" 'BEGIN {
        print "[level]"; print "numModels=" n; print "numEnemies=0"; print "numRings=0"
        print "numDoors=0"; print "skyboxDir=textures\\sky\\"; print "skyboxDim=3000"
        print "[models]"; print "model1=level_ground_126x200"
        print "physicModel1=level_ground_126x200"
        print "matrix1=1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1"; print "density1=0"; print "concave1=0"
        for (i = 2; i <= n; ++i) {
            x = (i % 300) * 3 - 450; z = int(i / 300) * 3 + 5
            print "model" i "=level_crate_1"; print "physicModel" i "=level_crate_1"
            print "matrix" i "=1,0,0,0,0,1,0,0,0,0,1,0," x ",0," z ",1"
            print "density" i "=0"; print "concave" i "=0"
        }
        print "[enemies]"; print "[rings]"; print "[doors]"
    }' >"$folder/data/level1.ini"
    echo "$folder"
}

# frame_bench SIDE ARGS...: one run of that build's frame-bench under its own X display.
frame_bench() {
    local side="$1"
    shift
    xvfb-run -a -s "-screen 0 1280x1024x24" "$root/$side/stage/frame-bench" "$@" 2>/dev/null |
        grep '^frame-bench:'
}
# The game's own cost: Mesa's no-op driver takes every GL call as the real one does but
# transforms and rasterizes nothing, so only the game and the calls into the driver count.
# Unlike the software renderer, the no-op driver would run behind a thread of its own that each
# batch of calls is handed to; GALLIUM_THREAD=0 keeps the calls on the game's thread, as the
# software renderer takes them.
game_alone() { GALLIUM_NOOP=1 GALLIUM_THREAD=0 frame_bench "$@"; }

sides=(current)
[ -n "$baseline" ] && sides+=(baseline)
# wanted ROW: whether the table has that group of rows.
wanted() { [[ ",$only," == *",$1,"* ]]; }
declare -A out  # what each side printed, by side and measurement

# --- frames: the full level at 1024 x 768, idle and under stress; the game alone in 64 x 48 with
# the no-op driver
full=$(game_folder full 1024 768)
tiny=$(game_folder tiny 64 48)
if wanted frames; then
    echo "frames ($rounds rounds) ..." >&2
    for ((r = 0; r < rounds; ++r)); do
        for side in "${sides[@]}"; do
            out[$side idle]+=$(frame_bench "$side" --data "$full")$'\n'
            out[$side stress]+=$(frame_bench "$side" --data "$full" --stress)$'\n'
            out[$side tiny]+=$(game_alone "$side" --data "$tiny" --stress)$'\n'
        done
    done
fi

# --- the physics layer against the engine driven directly
if wanted physics; then
    echo "nx-bench ..." >&2
    for side in "${sides[@]}"; do out[$side nx]=$("$root/$side/nx-bench"); done
fi

# --- model files: the game's reader, the Asset Importer, reading the bytes
if wanted models; then
    echo "model files ..." >&2
    corpus=(/work/shared/corpus/ms3d/*.ms3d)
    [ -d ../shared/corpus/ms3d ] && corpus=(../shared/corpus/ms3d/*.ms3d)
    for side in "${sides[@]}"; do
        out[$side models]=$("$root/$side/model-bench" $detail "${corpus[@]}" "$stage"/models/*.ms3d)
    done
fi

# --- level loading and start-up to the first frame
levels=(1000 10000 100000)
if wanted levels; then
    echo "level loading ..." >&2
    for n in "${levels[@]}"; do
        folder=$(game_folder "level$n" 1024 768 "$n")
        for ((r = 0; r < rounds; ++r)); do
            for side in "${sides[@]}"; do
                out[$side level$n]+=$(frame_bench "$side" --data "$folder" --frames 0)$'\n'
            done
        done
    done
    for ((r = 0; r < rounds; ++r)); do
        for side in "${sides[@]}"; do
            out[$side first]+=$(frame_bench "$side" --data "$full" --frames 0)$'\n'
        done
    done
fi

# --- the figures
# median: the middle of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# pick PATTERN: the first group of the sed pattern on each line of standard input.
pick() { sed -n "s|$1|\1|p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
declare -A fig
# The measurements that --only left out read as empty.
for side in "${sides[@]}"; do
    for key in idle stress tiny nx models first "${levels[@]/#/level}"; do
        out[$side $key]=${out[$side $key]:-}
    done
done
for side in "${sides[@]}"; do
    for load in idle stress tiny; do
        fig[$side $load median]=$(pick '.*frame median \([0-9.]*\).*' <<<"${out[$side $load]}" | median)
        fig[$side $load p95]=$(pick '.*frame median [0-9.]* p95 \([0-9.]*\).*' <<<"${out[$side $load]}" | median)
        fig[$side $load step]=$(pick '.*step median \([0-9.]*\).*' <<<"${out[$side $load]}" | median)
    done
    fig[$side layer]=$(pick '^ *layer *median *\([0-9.]*\).*' <<<"${out[$side nx]}")
    fig[$side direct]=$(pick '^ *direct *median *\([0-9.]*\).*' <<<"${out[$side nx]}")
    summary=$(grep '^model-bench:' <<<"${out[$side models]}" || true)
    fig[$side files]=$(pick '^model-bench: \([0-9]*\) files.*' <<<"$summary")
    fig[$side ours]=$(pick '.*total ours \([0-9.]*\).*' <<<"$summary")
    fig[$side importer]=$(pick '.*importer \([0-9.]*\) bytes.*' <<<"$summary")
    fig[$side bytes]=$(pick '.*bytes \([0-9.]*\) us.*' <<<"$summary")
    fig[$side worst importer]=$(pick '.*importer/ours total [0-9.]* worst \([0-9.]*\).*' <<<"$summary")
    fig[$side worst importer file]=$(pick '.*importer/ours total [0-9.]* worst [0-9.]* (\([^)]*\)).*' <<<"$summary")
    fig[$side worst bytes]=$(pick '.*ours/bytes total [0-9.]* worst \([0-9.]*\).*' <<<"$summary")
    fig[$side worst bytes file]=$(pick '.*ours/bytes total [0-9.]* worst [0-9.]* (\([^)]*\)).*' <<<"$summary")
    for n in "${levels[@]}"; do
        fig[$side level$n]=$(pick '.*start-up \([0-9.]*\) ms.*' <<<"${out[$side level$n]}" | median)
    done
    fig[$side first]=$(pick '.*first frame \([0-9.]*\) ms.*' <<<"${out[$side first]}" | median)
done

# row WHAT KEY TEXT COMPARED RATIO TARGET: one line of the table; KEY names the figure that
# today's build and the baseline are compared on ("" for none), TEXT and the others are
# evaluated for each side with $side set.
rows=()
row() {
    local what="$1" key="$2" side=current line
    line="| $what | $(eval "echo \"$3\"") | $(eval "echo \"$4\"") | $(eval "echo \"$5\"") | $6 |"
    if [ -n "$baseline" ]; then
        side=baseline
        line+=" $(eval "echo \"$3\"") | "
        [ -n "$key" ] && line+="$(ratio "${fig[current $key]}" "${fig[baseline $key]}")"
        line+=" |"
    fi
    rows+=("$line")
}
wanted frames && row "frame, full level 1024x768, idle: median / p95" "idle median" \
    '${fig[$side idle median]} / ${fig[$side idle p95]} ms' "" "" "half of today's"
wanted frames && row "frame, full level 1024x768, stress: median / p95" "stress median" \
    '${fig[$side stress median]} / ${fig[$side stress p95]} ms' "" "" ""
wanted frames && row "game's own frame, stress, no-op GL driver: median / p95" "tiny median" \
    '${fig[$side tiny median]} / ${fig[$side tiny p95]} ms' \
    'the step alone ${fig[$side tiny step]} ms' "" "under 2 ms"
wanted physics && row "physics step, reference scene (nx-bench): median" "layer" \
    'layer ${fig[$side layer]} us' 'Bullet directly ${fig[$side direct]} us' \
    '$(ratio ${fig[$side layer]} ${fig[$side direct]})' ""
wanted models && row "model files (${fig[current files]}: corpus and game's), sum of one load each" "ours" \
    'ours ${fig[$side ours]} us' \
    'importer ${fig[$side importer]} us, bytes ${fig[$side bytes]} us' \
    '$(ratio ${fig[$side importer]} ${fig[$side ours]}) / $(ratio ${fig[$side ours]} ${fig[$side bytes]})' \
    "importer/ours, ours/bytes"
wanted models && row "model files, worst file: importer / ours" "" \
    '${fig[$side worst importer]} (${fig[$side worst importer file]})' "" "" "at least 3"
wanted models && row "model files, worst file: ours / reading the bytes" "" \
    '${fig[$side worst bytes]} (${fig[$side worst bytes file]})' "" "" "at most 4"
wanted levels && row "start-up with 1,000 / 10,000 / 100,000 models" "level100000" \
    '${fig[$side level1000]} / ${fig[$side level10000]} / ${fig[$side level100000]} ms' "" \
    '$(ratio ${fig[$side level10000]} ${fig[$side level1000]}) / $(ratio ${fig[$side level100000]} ${fig[$side level10000]})' \
    "10k/1k, 100k/10k at most 12"
wanted levels && row "start-up to the end of the first frame, full level" "first" '${fig[$side first]} ms' "" "" ""

# --- the table
memory=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
renderer=$(frame_bench current --data "$tiny" --frames 0 | pick '^frame-bench: renderer \(.*\)')
echo
echo "Zorvan benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(git describe --always --dirty)"
echo "machine: $cpu, $(nproc) cores, $memory; GL renderer: $renderer; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "medians of $rounds runs; frames: 200 after 30 to warm up, the clock fixed at 1/60 s"
echo
if [ -n "$baseline" ]; then
    echo "| what | today | compared with | ratio | target | at $baseline | today / $baseline |"
    echo "|---|---|---|---|---|---|---|"
else
    echo "| what | today | compared with | ratio | target |"
    echo "|---|---|---|---|---|"
fi
printf '%s\n' "${rows[@]}"
if [ -n "$detail" ]; then
    for side in "${sides[@]}"; do
        echo
        echo "model files, $side:"
        grep -v '^model-bench:' <<<"${out[$side models]}"
    done
fi
