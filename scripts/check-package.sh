#!/usr/bin/env bash
# Checks the packages made by scripts/package.sh the way Debian and a user
# meet them:
#   - the desktop entry and the AppStream metadata validate, pedantically,
#     without a word from the validators;
#   - lintian, pedantic and with its informational tags, finds nothing in the
#     binary package or in the source package beside it (comtest_<version>.dsc)
#     that is not overridden with its reason in debian/;
#   - hardening-check passes on the program (stack protector, fortified
#     functions, read-only relocations, immediate binding, PIE; see below for
#     control-flow protection);
#   - the manual page renders without a warning, with its sections and its
#     Russian texts;
#   - the package depends on the Liberation fonts and recommends qt6-wayland;
#   - it installs with dpkg, the installed program answers --version and
#     --help, the bash completion is registered for comtest, the menu entry's
#     command starts the window, and the package removes cleanly;
#   - reproducible: the package built again from this tree, at another path,
#     later, in another time zone and locale and with the compiler cache off,
#     is the same byte for byte.
# Any failure ends the check with a non-zero status. Needs root or sudo;
# comtest must not be installed yet.
# Usage: scripts/check-package.sh PACKAGE.deb
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PACKAGE.deb" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "$1")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

source "$root/scripts/install-missing.sh"
install_missing lintian devscripts desktop-file-utils appstream man-db

if dpkg-query -W -f='${Status}' comtest 2>/dev/null | grep -q 'install ok installed'; then
    echo "comtest is installed already; remove it before checking a package" >&2
    exit 1
fi

tree=$(mktemp -d)
again=$(mktemp -d)
installed=0
cleanup() {
    [ "$installed" = 1 ] && $sudo dpkg -r comtest >/dev/null
    rm -rf "$tree" "$again"
}
trap cleanup EXIT

step() { echo "== $*"; }
fail() {
    echo "check failed: $*" >&2
    exit 1
}
# Runs a command that must print nothing, and shows what it printed if not.
silent() {
    local said
    said=$("$@" 2>&1) || fail "$* ended with $?${said:+:$'\n'$said}"
    [ -z "$said" ] || fail "$* said:"$'\n'"$said"
}

version=$(dpkg-deb -f "$deb" Version)
dsc=$(dirname "$deb")/comtest_$version.dsc
[ -f "$dsc" ] || fail "no source package $dsc beside the binary package"

step "contents"
dpkg-deb -x "$deb" "$tree"
silent desktop-file-validate "$tree/usr/share/applications/comtest.desktop"
# The validator ends its report with one line saying it passed.
said=$(appstreamcli validate --pedantic --no-net "$tree"/usr/share/metainfo/*.metainfo.xml 2>&1) ||
    fail "appstreamcli validate said:"$'\n'"$said"
[ "$(grep -cv '^$\|Validation was successful' <<<"$said")" -eq 0 ] ||
    fail "appstreamcli validate --pedantic said:"$'\n'"$said"
# With the network, the validator also fetches the metadata's web addresses,
# and CI has none: an address under a domain reserved for examples (RFC 2606)
# has no site behind it, and is flagged as unreachable wherever it is fetched.
placeholders=$(grep -ohE 'https?://[^<"[:space:]]+' "$tree"/usr/share/metainfo/*.metainfo.xml |
    grep -E '^https?://([^/]*\.)?(example\.(com|net|org)|[^/]*\.(example|invalid|test))([/:]|$)' || true)
[ -z "$placeholders" ] ||
    fail "the AppStream metadata names addresses with no site behind them:"$'\n'"$placeholders"
# The metadata together with the desktop entry and icon it refers to.
appstreamcli validate-tree --no-net "$tree"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *fonts-liberation* ]] || fail "the package does not depend on the Liberation fonts: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] ||
    fail "the package recommends '$(dpkg-deb -f "$deb" Recommends)', not qt6-wayland"

step "lintian"
# Its tags go to standard output; standard error may carry a note on running
# as root.
tags=$(lintian --pedantic -I "$deb" "$dsc") || fail "lintian ended with $?"
[ -z "$tags" ] || fail "lintian --pedantic -I found:"$'\n'"$tags"

step "hardening"
# Control-flow protection is compiled in (-fcf-protection), but a program
# linked on Debian 12 cannot carry its mark: glibc's start files (crt1.o,
# crti.o, crtn.o) have none, and the linker marks a program only when every
# object does. The other protections are all required.
hardening-check --nocfprotection "$tree/usr/bin/comtest"

step "manual page"
page=$tree/usr/share/man/man1/comtest.1.gz
# As lintian runs it: groff's warnings on standard error, its output dropped.
said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
    fail "man --warnings ended with $?"
[ -z "$said" ] || fail "man --warnings said:"$'\n'"$said"
text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page")
for section in NAME SYNOPSIS DESCRIPTION OPTIONS PORTS "LINE CHECK" ENVIRONMENT FILES \
    "EXIT STATUS" EXAMPLES "SEE ALSO"; do
    grep -qx "$section" <<<"$text" || fail "the manual page has no section $section"
done
# Words are spread to justify lines and a phrase may wrap: compare with every
# run of white space made one space.
flat=$(tr -s '[:space:]' ' ' <<<"$text")
for russian in "Начать тест" "Конец теста" "Выход" "Нельзя открыть порт ComN"; do
    [[ $flat == *"$russian"* ]] || fail "the manual page does not say \"$russian\""
done

step "install"
# Minimal images exclude manual pages from installation; this one is checked.
$sudo dpkg --path-include=/usr/share/man/man1/comtest.1.gz -i "$deb"
installed=1

step "installed program"
said=$(/usr/bin/comtest --version) || fail "comtest --version ended with $?"
[ "$said" = "comtest $version" ] || fail "comtest --version said '$said', not 'comtest $version'"
help=$(/usr/bin/comtest --help) || fail "comtest --help ended with $?"
[ "${help%%$'\n'*}" = "Usage: comtest [OPTION]..." ] || fail "comtest --help begins '${help%%$'\n'*}'"
MANWIDTH=80 man comtest | grep -q -- '--port' || fail "man comtest does not describe --port"
# As bash-completion loads it on the first completion of comtest.
said=$(bash -c 'source /usr/share/bash-completion/completions/comtest && complete -p comtest')
[ "$said" = "complete -F _comtest comtest" ] || fail "the bash completion registers '$said'"

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

step "reproducible"
rebuilt=$( (umask 0002 && cd / && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 CCACHE_DISABLE=1 \
    "$root/scripts/package.sh" "$again/elsewhere") | tail -n 1)
for built in "$deb" "$dsc"; do
    other=$(dirname "$rebuilt")/$(basename "$built")
    cmp "$built" "$other" || fail "$(basename "$built") built again at $other differs"
done
echo "packages $(basename "$deb") and $(basename "$dsc") checked"
