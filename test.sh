#!/usr/bin/env bash
# Sets everything up and runs every test. The tests always get a display of their own under Xvfb:
# the game warps the pointer every step, which must neither move a desktop's pointer nor be moved
# by it.
set -euo pipefail
cd "$(dirname "$0")"
# With --sanitize, the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer in
# its own folder; any report fails the run.
folder=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
    folder=build-sanitize
    options=(-DZORVAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
    export UBSAN_OPTIONS="print_stacktrace=1"
elif [ $# -gt 0 ]; then
    echo "usage: ./test.sh [--sanitize]" >&2
    exit 2
fi
source tools/setup.sh
install_missing_packages
build_game "$folder" "${options[@]}"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$folder" --output-on-failure -j2
