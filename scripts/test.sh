#!/usr/bin/env bash
# Builds comtest with warnings as errors and runs the whole test suite
# headless, then builds it again with AddressSanitizer, UndefinedBehavior-
# Sanitizer and leak detection and runs the suite a second time: any report
# fails the run.
# COMTEST_SKIP_SANITIZE=1 runs the first pass only. Every test's time limit
# is set where the tests are registered (cmake/Warnings.cmake), longer in the
# sanitizer build; the tests labelled "heavy" run here too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh" build-test -DCOMTEST_WERROR=ON
cmake --build "$root/build-test"
(cd "$root/build-test" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

[ "${COMTEST_SKIP_SANITIZE:-0}" = 1 ] && exit 0

# The options are exported before the build too: test discovery runs every
# test binary once at build time. Leaks are checked at exit of each test
# process; only system libraries' leaks are suppressed (scripts/lsan.supp).
# At -O1 the sanitizers' reports stay exact and the build is quicker than
# at the first pass's -O2 (a large test file compiles in a third less time).
source "$root/scripts/sanitize-env.sh"
"$root/scripts/setup.sh" build-asan -DCOMTEST_WERROR=ON -DCOMTEST_SANITIZE=ON -DCOMTEST_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG"
cmake --build "$root/build-asan"
(cd "$root/build-asan" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
