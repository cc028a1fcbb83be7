#!/usr/bin/env bash
# Takes a screenshot of the real window on a virtual X display: starts orbline in the sample
# line's folder (or in SCREENSHOT_FOLDER), presses the keys given (default F4, the station
# listing) and saves the window, with any menu open over it, as PNG. A step "mouse ARGS…" is
# xdotool's instead, with ARGS as xdotool takes them, in the window's coordinates. A developer's
# tool: it needs xvfb, xdotool and imagemagick.
#   scripts/screenshot.sh OUT.png [KEY | "mouse ARGS"...]
#   SCREENSHOT_WINDOW='データの形式情報' scripts/screenshot.sh settings.png ctrl+o
#   SCREENSHOT_FOLDER=/tmp/myline scripts/screenshot.sh problems.png F6
#   scripts/screenshot.sh menu.png F5 "mouse mousemove 560 290 click 3"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
shift
keys=("${@:-F4}")
work=$(mktemp -d)
app="" xvfb=""
# The window first, while it still has its display to end on; then the display.
finish() {
  if [ -n "$app" ]; then kill "$app" 2>/dev/null && wait "$app" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
export ORBLINE_PROFILE="$work/Orbline.ini"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
cd "${SCREENSHOT_FOLDER:-$root/examples/sample}"
"$root/build/release/app/orbline" &
app=$!
for _ in $(seq 50); do
  win=$(xdotool search --name '^Zelkor Maker$' 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
xdotool windowmove "$win" 0 0 windowsize "$win" 900 700 windowactivate --sync "$win" 2>/dev/null || true
sleep 0.5
xdotool windowfocus --sync "$win" 2>/dev/null || true
for key in "${keys[@]}"; do
  if [[ $key == "mouse "* ]]; then
    read -ra args <<<"${key#mouse }"
    xdotool "${args[@]}"
  else
    xdotool key "$key"
  fi
  sleep 0.3
done
sleep 1.5
# A dialog the keys opened when SCREENSHOT_WINDOW names its title, else the main window; taken from
# the screen, so that a menu open over it shows.
if [ -n "${SCREENSHOT_WINDOW:-}" ]; then
  win=$(xdotool search --name "$SCREENSHOT_WINDOW" | head -n1)
fi
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "saved $out"
