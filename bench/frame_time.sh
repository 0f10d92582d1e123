#!/usr/bin/env bash
# The frame time of the game on Mesa's software renderer (llvmpipe) under Xvfb, for one or more
# stage folders side by side: each round runs every folder's zorvan-run once, in turn, with the
# real clock, so that whatever else the machine does falls on all of them alike.
#
#   bench/frame_time.sh [--rounds N] [--frames N] [--skip N] [--script FILE] STAGE...
#
# Prints one line per stage folder: the median and 95th percentile of the frame time (the trace's
# timeDelta) over every round's frames after the first --skip ones, and the median's ratio to the
# first folder's. Without --script the game idles at the spawn point; a script (such as
# tools/run/demo.txt) plays as under --dt, but on the real clock. The window is the one that
# data/game.ini asks for. LP_NUM_THREADS, when set, passes on to llvmpipe.
set -euo pipefail

rounds=5 frames=400 skip=100 script=""
while [ $# -gt 0 ]; do
    case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --frames) frames=$2; shift 2 ;;
    --skip) skip=$2; shift 2 ;;
    --script) script=$(realpath "$2"); shift 2 ;;
    -*) echo "frame_time.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ] || [ "$skip" -ge "$frames" ]; then
    echo "usage: bench/frame_time.sh [--rounds N] [--frames N] [--skip N<frames] [--script FILE] STAGE..." >&2
    exit 2
fi

# Always a display of its own with the software renderer, whatever display the caller has.
if [ -z "${ZORVAN_FRAME_TIME_XVFB:-}" ]; then
    export ZORVAN_FRAME_TIME_XVFB=1 LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --rounds "$rounds" --frames "$frames" \
        --skip "$skip" ${script:+--script "$script"} "$@"
fi

stages=()
for stage in "$@"; do stages+=("$(realpath "$stage")"); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((round = 0; round < rounds; ++round)); do
    for i in "${!stages[@]}"; do
        (cd "${stages[$i]}" &&
            ./zorvan-run --frames "$frames" ${script:+--script "$script"} \
                --trace "$work/trace" >/dev/null 2>&1)
        # Frame times in milliseconds, one a line, after the skipped frames.
        grep -o '"timeDelta":[^,]*' "$work/trace" | cut -d: -f2 | tail -n +"$((skip + 1))" |
            awk '{ printf "%.4f\n", $1 * 1000 }' >>"$work/times.$i"
    done
done

# Nearest-rank percentiles of the sorted times.
percentile() { sort -g "$1" | awk -v p="$2" '{ v[NR] = $1 } END { i = int(NR * p / 100 + 0.5); if (i < 1) i = 1; print v[i] }'; }

echo "llvmpipe threads: ${LP_NUM_THREADS:-default ($(nproc) CPUs)}; $rounds rounds of $frames frames, the first $skip skipped"
first=""
for i in "${!stages[@]}"; do
    median=$(percentile "$work/times.$i" 50)
    p95=$(percentile "$work/times.$i" 95)
    first=${first:-$median}
    printf "%-40s median %7.2f ms  p95 %7.2f ms  median ratio %.2f  (%d frames)\n" \
        "${stages[$i]}" "$median" "$p95" "$(awk -v a="$median" -v b="$first" 'BEGIN { print a / b }')" \
        "$(wc -l <"$work/times.$i")"
done
