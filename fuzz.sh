#!/usr/bin/env bash
# Fuzzes every reader of outside data with libFuzzer: the model reader (with the cooking tool),
# the profile reader with the typed readers, the cooked-mesh readers, the level file's checks
# and the sound file reader.
#
#   ./fuzz.sh [SECONDS]     each target for SECONDS (60 by default), one after the other
#
# Builds with clang in build-fuzz/. The corpora grow in build-fuzz/corpus/TARGET from one run to
# the next, seeded from the game's own data and models and the MilkShape corpus beside the
# project; inputs that break a target land in build-fuzz/findings/TARGET. Exit code 1 when a
# target found something: turn each finding into a regression input under
# tests/fuzz/regressions/TARGET, mend it, and run again.
set -euo pipefail
cd "$(dirname "$0")"
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: ./fuzz.sh [SECONDS]" >&2
    exit 2
fi
source tools/setup.sh
install_missing_packages clang-14 libclang-rt-14-dev
folder=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$folder" -G Ninja -DZORVAN_FUZZ=ON >/dev/null
# The seeds come from the plain build's stage when there is one (./test.sh made it), else from a
# stage built here.
stage=build/stage
if [ ! -f "$stage/models/avatar_ball.convex" ]; then
    stage="$folder/stage"
    cmake --build "$folder" -j2 --target stage_cooked stage_data
fi
cmake --build "$folder" -j2 --target fuzz_model fuzz_profile fuzz_cooked fuzz_level fuzz_wav

seed() {
    local target=$1
    shift
    mkdir -p "$folder/corpus/$target" "$folder/findings/$target"
    for file in "$@"; do
        [ -f "$file" ] && cp -n "$file" "$folder/corpus/$target/" || true
    done
}
seed model "$stage"/models/*.ms3d ../shared/corpus/ms3d/*.ms3d tests/fuzz/regressions/model/*
seed profile data/*.ini "$stage"/data/*.ini tests/fuzz/regressions/profile/*
seed cooked "$stage"/models/*.convex "$stage"/models/*.concave tests/fuzz/regressions/cooked/*
seed level "$stage"/data/level1.ini tests/fuzz/regressions/level/*
seed wav "$stage"/sounds/*.wav tests/fuzz/regressions/wav/*

failed=()
for target in model profile cooked level wav; do
    echo "== fuzz_$target for ${seconds} s"
    # Output of the game's readers (stdout) is dropped; libFuzzer reports on stderr. The
    # instrumented build is slow: the largest of the game's own hulls, dropped on itself, takes
    # over 20 s for its four steps on a busy machine (about 1 s uninstrumented).
    if ! "$folder/tests/fuzz/fuzz_$target" "$folder/corpus/$target" \
        -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 -close_fd_mask=1 \
        -print_final_stats=1 -artifact_prefix="$folder/findings/$target/" \
        2> "$folder/fuzz_$target.log"; then
        failed+=("$target")
    fi
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)" \
        "$folder/fuzz_$target.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    for target in "${failed[@]}"; do
        echo "fuzz_$target found a problem: see $folder/fuzz_$target.log and $folder/findings/$target" >&2
        grep -m 5 -E "ERROR|runtime error|SUMMARY" "$folder/fuzz_$target.log" >&2 || true
    done
    exit 1
fi
echo "no findings"
