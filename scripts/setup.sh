#!/usr/bin/env bash
# Installs what building and testing comtest needs on Debian 12, then
# configures the build tree. Safe to run again: it installs only what is missing.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev googletest
    clang libclang-rt-14-dev
    fonts-liberation fonts-dejavu-core fonts-urw-base35
    qt6-tools-dev qt6-l10n-tools
    dbus-daemon at-spi2-core python3-pyatspi weston qt6-wayland
)

source "$(dirname "$0")/install-missing.sh"
install_missing "${packages[@]}"

build_dir=${1:-build}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
