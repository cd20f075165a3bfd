#!/usr/bin/env bash
# Builds comtest with warnings as errors and runs the whole test suite headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" build-test -DCOMTEST_WERROR=ON
cmake --build "$root/build-test"
cd "$root/build-test"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j2
