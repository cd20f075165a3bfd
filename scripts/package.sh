#!/usr/bin/env bash
# Builds comtest's Debian packages from debian/ as Debian builds them: the
# source package (comtest_<version>.dsc and its tarball) with dpkg-source, then
# the binary package comtest_<version>_<arch>.deb (and its debug symbols) with
# dpkg-buildpackage -us -uc -b. Debian's tools bring the hardening flags, the
# time stamps of a reproducible build (the changelog's date) and the manual
# page's install. Installs what it needs when it is missing (with sudo when
# not root).
#
# The packages are built from a copy of the repository's files (those git
# tracks or would track: never a build tree) in BUILD_DIR/comtest-<version>,
# and land in BUILD_DIR. The test suite and the benchmarks are not built.
# Usage: scripts/package.sh [BUILD_DIR]   (default: build; relative to the
#                                           repository's root, or absolute)
# Prints the binary package's path as its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-build}
[[ $build_dir == /* ]] || build_dir=$root/$build_dir

source "$root/scripts/install-missing.sh"
install_build_depends "$root/debian/control"

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
source_dir=$build_dir/comtest-$version
rm -rf "$source_dir"
rm -f "$build_dir"/comtest_"$version"* "$build_dir"/comtest-dbgsym_"$version"*
mkdir -p "$source_dir"

# The files to pack: git's view of the tree where there is one, else all but
# build trees.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do
            [ -e "$root/$file" ] && printf '%s\0' "$file"
        done |
        tar -C "$root" --null -T - -cf - | tar -C "$source_dir" -xf -
else
    tar -C "$root" --exclude-vcs --exclude='./build*' --exclude='./obj-*' -cf - . |
        tar -C "$source_dir" -xf -
fi

# The source package keeps the files' modes: make them the same whatever the
# umask of the checkout and of this copy (rw-r--r--, rwxr-xr-x).
chmod -R u=rwX,go=rX "$source_dir"

# debhelper gives the build a HOME of its own: name the compiler cache the
# user has, so a build made before is not compiled again.
if command -v ccache >/dev/null && [ -z "${CCACHE_DIR:-}" ]; then
    export CCACHE_DIR
    CCACHE_DIR=$(ccache --get-config cache_dir)
fi

(cd "$build_dir" && dpkg-source -b "comtest-$version")
(cd "$source_dir" && dpkg-buildpackage -us -uc -b)
ls "$build_dir/comtest_${version}_$(dpkg-architecture -q DEB_HOST_ARCH).deb"
