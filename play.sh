#!/usr/bin/env bash
# Sets up what playing needs and starts the game: installs the packages that are missing (saying
# which first), builds only the game and its assets (no tests, no benchmarks) in build-play/,
# and runs it from there. Arguments go to the game (./play.sh --help lists them).
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ]; then
    echo "Zorvan needs an X11 display: DISPLAY is not set (start it from a desktop session)." >&2
    exit 1
fi
source tools/setup.sh
install_missing "${GAME_PACKAGES[@]}"
cmake -S . -B build-play -G Ninja -DZORVAN_TESTS=OFF >/dev/null
cmake --build build-play -j2 --target zorvan stage_data stage_cooked
exec build-play/stage/zorvan "$@"
