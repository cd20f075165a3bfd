#!/usr/bin/env bash
# Checks a package made by scripts/package.sh the way a user meets it: the
# desktop entry and AppStream metadata validate, lintian finds no error or
# warning, the package installs with dpkg, the installed program answers
# --version and --help, its manual page opens, the menu entry's command starts
# the window, and the package removes cleanly. Any failure ends the check with
# a non-zero status. Needs root or sudo; comtest must not be installed yet.
# Usage: scripts/check-package.sh PACKAGE.deb
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PACKAGE.deb" >&2; exit 2; }
deb=$(realpath "$1")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if dpkg-query -W -f='${Status}' comtest 2>/dev/null | grep -q 'install ok installed'; then
    echo "comtest is installed already; remove it before checking a package" >&2
    exit 1
fi

tree=$(mktemp -d)
installed=0
cleanup() {
    [ "$installed" = 1 ] && $sudo dpkg -r comtest >/dev/null
    rm -rf "$tree"
}
trap cleanup EXIT

step() { echo "== $*"; }
fail() {
    echo "check failed: $*" >&2
    exit 1
}

step "contents"
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree/usr/share/applications/comtest.desktop"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
# The metadata together with the desktop entry and icon it refers to.
appstreamcli validate-tree --no-net "$tree"

step "lintian"
lintian --display-info --fail-on error,warning "$deb"

step "install"
version=$(dpkg-deb -f "$deb" Version)
# Minimal images exclude manual pages from installation; this one is checked.
$sudo dpkg --path-include=/usr/share/man/man1/comtest.1.gz -i "$deb"
installed=1

step "installed program"
said=$(/usr/bin/comtest --version) || fail "comtest --version ended with $?"
[ "$said" = "comtest $version" ] || fail "comtest --version said '$said', not 'comtest $version'"
help=$(/usr/bin/comtest --help) || fail "comtest --help ended with $?"
[ "${help%%$'\n'*}" = "Usage: comtest [OPTION]..." ] || fail "comtest --help begins '${help%%$'\n'*}'"
page=$(MANWIDTH=80 man -l /usr/share/man/man1/comtest.1.gz) || fail "man -l ended with $?"
grep -q -- '--port' <<<"$page" || fail "the manual page does not describe --port"

# The menu entry's command, on the headless display platform, must still be
# running (the window open) when timeout stops it.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/comtest.desktop)
status=0
(cd "$tree" && QT_QPA_PLATFORM=offscreen timeout 3 $exec_line) || status=$?
[ "$status" -eq 124 ] ||
    fail "the menu entry's command '$exec_line' ended with $status instead of opening its window"

step "remove"
$sudo dpkg -r comtest
installed=0
[ ! -e /usr/bin/comtest ] || fail "/usr/bin/comtest is still there after removal"
echo "package $(basename "$deb") checked"
