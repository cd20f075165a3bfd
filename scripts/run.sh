#!/usr/bin/env bash
# Builds comtest and starts it with Com1 mapped to the built-in loopback line,
# so typed keys come straight back as received text without any hardware.
# Further arguments go to the program, e.g. --port Com2=/dev/ttyUSB0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" build -DCOMTEST_TESTS=OFF -DCOMTEST_BENCH=OFF
cmake --build "$root/build" --target comtest
exec "$root/build/src/app/comtest" --port Com1=loop "$@"
