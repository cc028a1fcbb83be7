#!/usr/bin/env bash
# The SVG of each display of the sample line (page 1, the maps with their grid), drawn by a program
# that is not ours, looks as the window's PNG does; both come from `orblinec render`, and the
# renderer must not warn. Renderers differ from the window in ways that do not matter here: smooth
# edges against plain ones, a pixel's rounding, their own underlines (Chromium's lie higher and are
# twice as thick). So both images are blurred (σ 1 pixel), and a pixel differs when a channel of it
# lies more than 48 levels outside that channel's range over the 3 × 3 pixels around the same place
# in the other image. In no tile of 1/32 of the page (31 × 31 pixels at 1000 × 750) may more pixels
# differ than the renderer's limit, of 1024: 48 for rsvg-convert (the sample costs at most 23), which
# meets a 22-unit label 3 units from its place; 140 for Chromium (its underlines cost 99), which
# meets one 5 units away. Both meet a label at half its size, leaning the wrong way or in a colour
# 54 levels off. Needs ImageMagick.
#   tests/svg_raster_test.sh rsvg|chromium ORBLINEC_RENDER SAMPLE_DIR
# Exits 77, skipped, when the renderer is not installed.
set -euo pipefail
renderer=$1 render=$2 sample=$3 program=chromium package=chromium limit=140
if [ "$renderer" = rsvg ]; then program=rsvg-convert package=librsvg2-bin limit=48; fi
command -v "$program" >/dev/null || { echo "skipped: $program is not installed (Debian package $package)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The pixels of $1 that lie outside $2's range around them, white on black.
outside() {
  convert "$1" \( "$2" -morphology Dilate Square:1 \) -compose minus_src -composite "$work/above.png"
  convert \( "$2" -morphology Erode Square:1 \) "$1" -compose minus_src -composite "$work/above.png" \
    -compose lighten -composite -separate -evaluate-sequence max -threshold 18.9% "$work/$3.png"
}

for mode in 1 2 3 4 5 6 7; do
  grid=$( ((mode < 4 || mode > 6)) || echo --grid)
  for f in window.png page.svg; do "$render" render -C "$sample" --no-profile --mode $mode $grid -o "$work/$f"; done
  if [ "$renderer" = rsvg ]; then
    rsvg-convert -o "$work/drawn.png" "$work/page.svg" 2>"$work/messages"
  else
    # A fresh profile, nothing fetched; faults of the file come as console messages.
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
      --disable-component-update --disable-sync --enable-logging=stderr --v=0 --user-data-dir="$work/profile" \
      --window-size=1000,750 --screenshot="$work/drawn.png" "file://$work/page.svg" 2>&1 |
      { grep ':CONSOLE' || true; } >"$work/messages"
  fi
  [ ! -s "$work/messages" ] || { echo "mode $mode: $program warns:" && cat "$work/messages" && exit 1; }
  convert "$work/window.png" -blur 0x1 "$work/a.png"
  convert "$work/drawn.png" -background white -alpha remove -alpha off -blur 0x1 "$work/b.png"
  outside "$work/a.png" "$work/b.png" a-b && outside "$work/b.png" "$work/a.png" b-a
  worst=$(convert "$work/a-b.png" "$work/b-a.png" -compose lighten -composite -scale 32x24! \
    -format '%[fx:round(maxima * 1024)]' info:)
  echo "mode $mode: at most $worst of 1024 pixels of a tile differ (limit $limit)"
  [ "$worst" -le "$limit" ]
done
