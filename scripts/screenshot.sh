#!/usr/bin/env bash
# Renews docs/screenshot.png: starts the built program under a virtual X
# server with a small window manager, starts a test on the loopback line,
# types a few keys and photographs the window.
# Needs: xvfb, openbox, xdotool, imagemagick (installed when missing).
# Usage: scripts/screenshot.sh [--fonts DIR] [--out FILE] [BUILD_DIR]
#   --fonts DIR  the program sees the fonts in DIR alone (under the desktop's
#                font rules), as on a desktop without the Liberation faces;
#                e.g. --fonts /usr/share/fonts/truetype/dejavu
#   --out FILE   where the picture goes (default: docs/screenshot.png)
#   BUILD_DIR    default: build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
args=("$@")
fonts=""
out="$root/docs/screenshot.png"
while [ $# -gt 0 ]; do
    case $1 in
        --fonts) fonts=$(realpath "$2"); shift 2 ;;
        --out) out=$(realpath -m "$2"); shift 2 ;;
        *) break ;;
    esac
done
build=${1:-build}
program="$root/$build/src/app/comtest"

if [ "${COMTEST_SCREENSHOT_INNER:-}" != 1 ]; then
    source "$root/scripts/install-missing.sh"
    install_missing xvfb openbox xdotool imagemagick
    [ -x "$program" ] || { echo "build the program first: $program" >&2; exit 1; }
    [ -z "$fonts" ] || [ -d "$fonts" ] || { echo "no such font folder: $fonts" >&2; exit 1; }
    COMTEST_SCREENSHOT_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${args[@]}"
fi

scratch=$(mktemp -d)
fontenv=()
if [ -n "$fonts" ]; then
    cat >"$scratch/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig>
<dir>$fonts</dir>
<cachedir>$scratch/cache</cachedir>
<include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
CONF
    fontenv=(FONTCONFIG_FILE="$scratch/fonts.conf")
fi
openbox >/dev/null 2>&1 &
wm=$!
env "${fontenv[@]}" "$program" --port Com1=loop >/dev/null 2>&1 &
app=$!
trap 'kill $app $wm 2>/dev/null || true; rm -rf "$scratch"' EXIT
for _ in $(seq 50); do
    # The caption in Russian or, under an English locale, in English.
    win=$(xdotool search --name "Тест COM-порта|COM Port Test" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
# "Начать тест" (Start test): its template place (72, 193, 84 x 18 dialog units) in pixels.
xdotool mousemove --window "$win" 171 328 click 1
sleep 0.5
xdotool type --delay 60 "Hello, line"
xdotool key Return
xdotool type --delay 60 "ATZ"
xdotool key Return
sleep 1
# The shell stands centred on the 1280 x 1024 screen, its outer 673 x 395
# at (304, 315); a few pixels around it.
import -window root -crop 689x420+296+305 +repage "$out"
echo "wrote $out"
