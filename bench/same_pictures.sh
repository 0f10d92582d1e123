#!/usr/bin/env bash
# Whether two builds draw the same pictures: the level tour, the demo and the enemies' demo run
# at a fixed 1/60 s step in both stage folders under Xvfb with the software renderer, and every
# screenshot of the one is compared with the other's by picture-diff (largest difference of any
# channel, count of differing pixels).
#
#   bench/same_pictures.sh BEFORE_STAGE AFTER_STAGE [OUTDIR]
#
# The pictures stay in OUTDIR/before and OUTDIR/after (by default a new folder under /tmp) to be
# looked at. Exit code 1 when any pair differs by more than rounding (1).
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "usage: bench/same_pictures.sh BEFORE_STAGE AFTER_STAGE [OUTDIR]" >&2
    exit 2
fi
source=$(cd "$(dirname "$0")/.." && pwd)
before=$(realpath "$1") after=$(realpath "$2")
out=$(realpath -m "${3:-$(mktemp -d /tmp/same_pictures.XXXXXX)}")
diff_tool=$(realpath "$after/../picture-diff")

if [ -z "${ZORVAN_SAME_PICTURES_XVFB:-}" ]; then
    export ZORVAN_SAME_PICTURES_XVFB=1 LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$before" "$after" "$out"
fi

scripts=(level_tour.txt demo.txt enemies_demo.txt)
pairs=()
for side in before after; do
    stage=${!side}
    mkdir -p "$out/$side"
    for script in "${scripts[@]}"; do
        (cd "$out/$side" && "$stage/zorvan-run" --dt 1/60 --script "$source/tools/run/$script" \
            >/dev/null 2>&1)
    done
done
for picture in "$out"/before/*.png; do pairs+=("$picture" "$out/after/$(basename "$picture")"); done
echo "pictures in $out"
"$diff_tool" --tolerance 1 "${pairs[@]}"
