#!/usr/bin/env bash
# Sets everything up and runs every test; GL tests run under Xvfb when there is no display.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
build_game
if [ -n "${DISPLAY:-}" ]; then
    ctest --test-dir build --output-on-failure -j2
else
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j2
fi
