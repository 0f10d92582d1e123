#!/usr/bin/env bash
# Sets everything up and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ]; then
    echo "Zorvan needs an X11 display: DISPLAY is not set (start it from a desktop session)." >&2
    exit 1
fi
source tools/setup.sh
install_missing_packages
build_game
cd build/stage
exec ./zorvan "$@"
