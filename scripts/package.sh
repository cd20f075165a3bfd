#!/usr/bin/env bash
# Builds the Debian package comtest_<version>_<arch>.deb from a build tree:
# the program, its desktop entry, icons and AppStream metadata, the manual
# page made from --help, the changelog and the copyright. Installs the tools
# it needs when they are missing (with sudo when not root).
# Usage: scripts/package.sh [BUILD_DIR]     (default: build)
# A BUILD_DIR configured before (CI passes build-test) is reused as it is;
# a new one is configured without the tests and benchmarks.
# Prints the package's path as its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-build}

tools=(dpkg-dev fakeroot file help2man lintian desktop-file-utils appstream man-db)
source "$root/scripts/install-missing.sh"
install_missing "${tools[@]}"

extra=()
[ -f "$root/$build_dir/CMakeCache.txt" ] || extra=(-DCOMTEST_TESTS=OFF -DCOMTEST_BENCH=OFF)
"$root/scripts/setup.sh" "$build_dir" -DCOMTEST_PACKAGE=ON "${extra[@]}"
cmake --build "$root/$build_dir" --target comtest package_docs
rm -f "$root/$build_dir"/comtest_*.deb
(cd "$root/$build_dir" && cpack -G DEB >/dev/null)
ls "$root/$build_dir"/comtest_*.deb
