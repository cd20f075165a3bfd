#!/usr/bin/env bash
# Installs what building and testing comtest needs on Debian 12, then
# configures the build tree. Safe to run again: it installs only what is missing.
# What the program's build needs is listed once, as the Debian package's
# Build-Depends in debian/control; the tools below are the tests' own.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

test_tools=(
    ccache
    libgtest-dev libgmock-dev googletest
    clang libclang-rt-14-dev
    fonts-liberation fonts-dejavu-core fonts-urw-base35
    dbus-daemon at-spi2-core python3-pyatspi weston qt6-wayland xvfb
)

source "$root/scripts/install-missing.sh"
install_build_depends "$root/debian/control"
install_missing "${test_tools[@]}"

build_dir=${1:-build}
shift || true
cmake -S "$root" -B "$root/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
