#!/usr/bin/env bash
# A long run of the game under AddressSanitizer and UndefinedBehaviorSanitizer with seeded random
# input (keys, mouse buttons, pointer moves, function keys; never Escape), at a fixed step of
# 1/60 s in a small window. It reports resident memory after the first 1,000 steps and at the end
# with the counts of objects, enemies, projectiles and particles, and fails on any sanitizer report
# or when memory grew by more than 10 % between the two.
#
#   ./soak.sh [STEPS [SEED [FKEYS]]]   200,000 steps, seed 1, function keys on by default
#
# With FKEYS off, no function key is pressed. Switching filters, mipmaps and shaders makes Mesa's
# software driver build and keep new texture levels and shader variants, which grows the heap
# by its own caches; CI soaks without them so that growth means the game's.
set -euo pipefail
cd "$(dirname "$0")"
steps="${1:-200000}"
seed="${2:-1}"
fkeys="${3:-on}"
if ! [[ "$steps" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ && "$fkeys" =~ ^(on|off)$ ]] ||
    [ "$steps" -le 1000 ]; then
    echo "usage: ./soak.sh [STEPS (over 1000) [SEED [on|off]]]" >&2
    exit 2
fi
source tools/setup.sh
install_missing_packages
folder=build-sanitize
build_game "$folder" -DZORVAN_SANITIZE=ON >/dev/null

# A private stage with a small window: the soak is about the game's state, not the rasterizer.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r "$folder/stage/." "$stage"
sed -i -e 's/^winResX=.*/winResX=320/' -e 's/^winResY=.*/winResY=240/' \
    -e 's/^fullscreen=.*/fullscreen=0/' "$stage/data/game.ini"

echo "soak: $steps steps, seed $seed, function keys $fkeys"
# A small quarantine: freed blocks that AddressSanitizer holds back (256 MB by default) would
# otherwise count as growth until the quarantine is full.
export ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=16"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1"
# No audio device unless told otherwise (ALSOFT_DRIVERS=null plays into OpenAL Soft's silent
# device): with a device open, LeakSanitizer's thread tracer can crash at the exit check.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-none}"
status=0
(cd "$stage" && xvfb-run -a -s "-screen 0 640x480x24" ./zorvan-run --dt 1/60 \
    --frames "$steps" --random "$seed" --random-function-keys "$fkeys" >/dev/null 2>"$stage/soak.log") || status=$?
grep "^zorvan-run: frame" "$stage/soak.log" || true
if [ $status -ne 0 ] || grep -q -E "ERROR: |runtime error" "$stage/soak.log"; then
    echo "soak: the run failed (exit $status):" >&2
    grep -m 20 -E -A 12 "ERROR: |runtime error" "$stage/soak.log" >&2 || tail -n 20 "$stage/soak.log" >&2
    exit 1
fi
# Growth from the report after 1,000 steps to the last: both resident memory and the heap in
# use must stay within 10 %.
flat=1
for what in "resident memory" "heap in use"; do
    read -r settled last < <(grep -o "$what [0-9]*" "$stage/soak.log" | awk '{print $NF}' |
        tr '\n' ' ') || true  # the line has no newline
    if [ -z "${last:-}" ]; then
        echo "soak: the run ended before its last step" >&2
        exit 1
    fi
    echo "soak: $what $settled KB after 1000 steps, $last KB at the end ($(awk \
        -v a="$settled" -v b="$last" 'BEGIN { printf "%+.1f", (b - a) * 100 / a }') %)"
    [ $(( (last - settled) * 1000 / settled )) -gt 100 ] && flat=0
done
if [ $flat -eq 0 ]; then
    echo "soak: memory grew by more than 10 %" >&2
    exit 1
fi
