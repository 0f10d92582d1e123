#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/) and prints one table of the game's speed, the
# machine named at the top. Every comparison is measured side by side in one run, the sides taking
# turns, and each figure is the median of repeated runs.
#
#   ./bench.sh [--baseline REF] [--detail] [--rounds N]
#
# --baseline REF  also builds the game as it was at git REF (in build-bench/baseline/, with
#                 today's benchmark programs) and sets its frames beside today's
# --detail        the model rows file by file
# --rounds N      runs of each frame and start-up figure to take the median of (3)
set -euo pipefail
cd "$(dirname "$0")"

baseline="" detail="" rounds=3
while [ $# -gt 0 ]; do
    case "$1" in
        --baseline) baseline="${2:?--baseline takes a git ref}"; shift 2 ;;
        --detail) detail=--detail; shift ;;
        --rounds) rounds="${2:?--rounds takes a count}"; shift 2 ;;
        *) echo "usage: ./bench.sh [--baseline REF] [--detail] [--rounds N]" >&2; exit 2 ;;
    esac
done

source tools/setup.sh
# The Asset Importer library is the model benchmark's yardstick, never the game's need; valgrind
# counts instructions where the clock is too noisy to tell.
install_missing_packages libassimp-dev valgrind
root="$PWD/build-bench"
targets=(frame-bench model-bench nx-bench stage_data stage_assets)

# build FOLDER SOURCE: the benchmark programs and the stage, Release.
build() {
    cmake -S "$2" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$1" -j2 --target "${targets[@]}" >/dev/null
}
echo "building in build-bench/ ..." >&2
build "$root/current" .
if [ -n "$baseline" ]; then
    # The old game with today's benchmark programs, so both sides measure the same way.
    rm -rf "$root/baseline-src"
    mkdir -p "$root/baseline-src"
    git archive "$baseline" | tar -x -C "$root/baseline-src"
    rm -rf "$root/baseline-src/bench"
    cp -r bench "$root/baseline-src/bench"
    targets=(frame-bench stage_data stage_assets)
    build "$root/baseline" "$root/baseline-src"
fi
stage="$root/current/stage"

# game_folder NAME WIDTH HEIGHT [MODELS]: a game folder beside the stage with its own window size
# and, given MODELS, a level of that many model entries: the spawn box and crates on a grid,
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
        print "[models]"; print "model1=box"; print "physicModel1=box"
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

# frame_bench BUILD ARGS...: one run of frame-bench of that build under its own X display.
frame_bench() {
    local build="$1"
    shift
    xvfb-run -a -s "-screen 0 1280x1024x24" "$root/$build/stage/frame-bench" "$@" 2>/dev/null |
        grep '^frame-bench:'
}

# median: the middle of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# field NAME: the number after NAME on each line of standard input.
field() { sed -n "s/.*$1 \([0-9][0-9.]*\).*/\1/p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

rows=()
row() { rows+=("$(printf '| %s | %s | %s | %s | %s |' "$@")"); }

# --- frames: the full level at 1024 x 768, idle and under stress; the game alone in 64 x 48
full=$(game_folder full 1024 768)
tiny=$(game_folder tiny 64 48)
sides=(current)
[ -n "$baseline" ] && sides+=(baseline)
declare -A runs
echo "frames ($rounds rounds) ..." >&2
for ((r = 0; r < rounds; ++r)); do
    for side in "${sides[@]}"; do
        runs[$side idle]+=$(frame_bench "$side" --data "$full")$'\n'
        runs[$side stress]+=$(frame_bench "$side" --data "$full" --stress)$'\n'
        runs[$side tiny]+=$(frame_bench "$side" --data "$tiny" --stress)$'\n'
    done
done
renderer=$(sed -n 's/^frame-bench: renderer //p' <<<"${runs[current idle]}" | head -1)
declare -A fig
for load in idle stress tiny; do
    for side in "${sides[@]}"; do
        text="${runs[$side $load]}"
        fig[$side $load median]=$(field "frame median" <<<"$text" | median)
        fig[$side $load p95]=$(sed -n 's/.*frame median [0-9.]* p95 \([0-9.]*\).*/\1/p' <<<"$text" | median)
        fig[$side $load step]=$(field "step median" <<<"$text" | median)
    done
done
frame_row() {
    local what="$1" load="$2" target="$3"
    local now="${fig[current $load median]} / ${fig[current $load p95]} ms"
    if [ -n "$baseline" ]; then
        row "$what" "$now" "$baseline: ${fig[baseline $load median]} / ${fig[baseline $load p95]} ms" \
            "$(ratio "${fig[current $load median]}" "${fig[baseline $load median]}") / $(ratio "${fig[current $load p95]}" "${fig[baseline $load p95]}")" \
            "$target"
    else
        row "$what" "$now" "" "" "$target"
    fi
}
frame_row "frame, full level 1024x768, idle: median / p95" idle "half of today's"
frame_row "frame, full level 1024x768, stress: median / p95" stress ""
row "game's own frame, stress, 64x48: median / p95" \
    "${fig[current tiny median]} / ${fig[current tiny p95]} ms" \
    "of it the step: ${fig[current tiny step]} ms" "" "under 2 ms"

# --- the physics layer against the engine driven directly
echo "nx-bench ..." >&2
nx=$("$root/current/nx-bench")
layer=$(sed -n 's/^ *layer *median *\([0-9.]*\).*/\1/p' <<<"$nx")
direct=$(sed -n 's/^ *direct *median *\([0-9.]*\).*/\1/p' <<<"$nx")
row "physics step, reference scene (nx-bench): median" "layer $layer us" "Bullet directly $direct us" \
    "$(ratio "$layer" "$direct")" ""

# --- model files: the game's reader, the Asset Importer, reading the bytes
echo "model files ..." >&2
corpus=(../shared/corpus/ms3d/*.ms3d)
[ -d /work/shared/corpus/ms3d ] && corpus=(/work/shared/corpus/ms3d/*.ms3d)
models=$("$root/current/model-bench" $detail "${corpus[@]}" "$stage"/models/*.ms3d)
[ -n "$detail" ] && detail_table=$(grep -v '^model-bench:' <<<"$models")
summary=$(grep '^model-bench:' <<<"$models")
count=$(sed -n 's/^model-bench: \([0-9]*\) files.*/\1/p' <<<"$summary")
total_ours=$(field "total ours" <<<"$summary")
total_importer=$(field "importer" <<<"$summary")
total_read=$(field "bytes" <<<"$summary")
worst_importer=$(sed -n 's/.*importer\/ours total [0-9.]* worst \([0-9.]* ([^)]*)\).*/\1/p' <<<"$summary")
worst_read=$(sed -n 's/.*ours\/bytes total [0-9.]* worst \([0-9.]* ([^)]*)\).*/\1/p' <<<"$summary")
row "model files ($count: corpus and game), total per load of each" "ours $total_ours us" \
    "importer $total_importer us, bytes $total_read us" \
    "importer/ours $(ratio "$total_importer" "$total_ours"), ours/bytes $(ratio "$total_ours" "$total_read")" ""
row "model files, worst file: importer / ours" "$worst_importer" "" "" "at least 3"
row "model files, worst file: ours / reading the bytes" "$worst_read" "" "" "at most 4"

# --- level loading and start-up to the first frame
echo "level loading ..." >&2
declare -A startup
for n in 1000 10000 100000; do
    folder=$(game_folder "level$n" 1024 768 "$n")
    for ((r = 0; r < rounds; ++r)); do
        startup[$n]+=$(frame_bench current --data "$folder" --frames 0 | field "start-up")$'\n'
    done
    startup[$n]=$(median <<<"${startup[$n]}")
done
row "start-up, level of 1,000 / 10,000 / 100,000 models" \
    "${startup[1000]} / ${startup[10000]} / ${startup[100000]} ms" "" \
    "10k/1k $(ratio "${startup[10000]}" "${startup[1000]}"), 100k/10k $(ratio "${startup[100000]}" "${startup[10000]}")" \
    "each at most 12"
first=$(for ((r = 0; r < rounds; ++r)); do frame_bench current --data "$full" --frames 0; done |
    field "first frame" | median)
row "start-up to the end of the first frame, full level" "$first ms" "" "" ""

# --- the table
memory=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo
echo "Zorvan benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(git describe --always --dirty)"
echo "machine: $cpu, $(nproc) cores, $memory; GL: $renderer; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "medians of $rounds runs (frames: 200 each after 30 to warm up, fixed 1/60 s clock)"
echo
echo "| what | today | against | ratio | target |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
if [ -n "$detail" ]; then
    echo
    echo "$detail_table"
fi
