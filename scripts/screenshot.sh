#!/usr/bin/env bash
# Takes a screenshot of the real window on a virtual X display: starts orbline in the sample
# line's folder (or in SCREENSHOT_FOLDER), presses the keys given (default F4, the station
# listing) and saves the window as PNG. A developer's tool: it needs xvfb, xdotool and imagemagick.
#   scripts/screenshot.sh OUT.png [KEY...]
#   SCREENSHOT_WINDOW='データの形式情報' scripts/screenshot.sh settings.png ctrl+o
#   SCREENSHOT_FOLDER=/tmp/myline scripts/screenshot.sh problems.png F6
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
  xdotool key "$key"
  sleep 0.3
done
sleep 1.5
# A dialog the keys opened when SCREENSHOT_WINDOW names its title, else the main window.
if [ -n "${SCREENSHOT_WINDOW:-}" ]; then
  win=$(xdotool search --name "$SCREENSHOT_WINDOW" | head -n1)
fi
import -window "$win" "$out"
echo "saved $out"
