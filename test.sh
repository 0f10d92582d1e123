#!/usr/bin/env bash
# Sets everything up and runs every test. The tests always get a display of their own under Xvfb:
# the game warps the pointer every step, which must neither move a desktop's pointer nor be moved
# by it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
build_game
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j2
