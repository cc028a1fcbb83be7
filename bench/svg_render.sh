#!/usr/bin/env bash
# The SVG of a full map page as `orblinec render` writes it: the page of 2,000 labels and the page
# of every item kind mixed (bench/full_map_pages.h). Prints each file's size and what headless
# Chromium takes to draw it as a 1000 × 750 screenshot, less what it takes for an empty page (its
# start): the median wall time and the median processor time of all its processes, which stays
# near the cost on a busy machine where the wall time does not; then the same for rsvg-convert.
# Fails when the label page reaches 288 KiB or costs Chromium 1 s of processor time or more. (It
# was 256 KiB until every element carried its source line, ` data-line="1234"`, 17 bytes a label,
# which a page showing the file needs to name the row under the pointer: 226 KiB became 258 KiB.)
#   bench/svg_render.sh [RUNS] [BUILD_DIR]   (default 10 and build/release; needs chromium, librsvg2-bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
build=$(cd "${2:-$root/build/release}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
measure=$build/bench/orbline_measure

printf '<svg xmlns="http://www.w3.org/2000/svg" width="1000" height="750" viewBox="0 0 1000 750"/>\n' >"$work/empty.svg"
"$build/bench/orbline_svg_page" labels "$work/labels.svg" >"$work/labels.bytes"
"$build/bench/orbline_svg_page" mixed "$work/mixed.svg" >"$work/mixed.bytes"

cat >"$work/chromium.sh" <<RUN
#!/usr/bin/env bash
exec chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" --window-size=1000,750 \
  --screenshot="$work/shot.png" "file://\$1" 2>/dev/null
RUN
chmod +x "$work/chromium.sh"
"$work/chromium.sh" "$work/empty.svg" >/dev/null  # makes the profile

# "<wall ms> <processor ms>": medians over the runs.
times() { "$measure" -n "$runs" -- "$@" | sed -n 's/.*median_ms=\([0-9.]*\).*cpu_ms=\([0-9.]*\).*/\1 \2/p'; }
read -r chromium_empty chromium_empty_cpu < <(times "$work/chromium.sh" "$work/empty.svg")
read -r rsvg_empty rsvg_empty_cpu < <(times rsvg-convert -o "$work/shot.png" "$work/empty.svg")
echo "empty page: chromium ${chromium_empty} ms (${chromium_empty_cpu} ms processor), rsvg-convert ${rsvg_empty} ms" \
  "(${rsvg_empty_cpu} ms processor); taken off below"
for page in labels mixed; do
  bytes=$(sed -n 's/bytes=//p' "$work/$page.bytes")
  read -r chromium chromium_cpu < <(times "$work/chromium.sh" "$work/$page.svg")
  read -r rsvg rsvg_cpu < <(times rsvg-convert -o "$work/shot.png" "$work/$page.svg")
  awk -v p="$page" -v b="$bytes" -v c="$chromium" -v ce="$chromium_empty" -v cc="$chromium_cpu" \
    -v cce="$chromium_empty_cpu" -v r="$rsvg" -v re="$rsvg_empty" -v rc="$rsvg_cpu" -v rce="$rsvg_empty_cpu" 'BEGIN {
    printf "%s page: %d bytes (%.0f KiB); chromium %.0f ms (%.0f ms processor), rsvg-convert %.0f ms (%.0f ms processor)\n",
           p, b, b / 1024, c - ce, cc - cce, r - re, rc - rce
  }'
  if [ "$page" = labels ]; then
    label_bytes=$bytes
    label_cpu=$(awk -v c="$chromium_cpu" -v ce="$chromium_empty_cpu" 'BEGIN { print c - ce }')
  fi
done
awk -v b="$label_bytes" 'BEGIN { exit !(b < 288 * 1024) }' || { echo "svg_render: the label page reaches 288 KiB" >&2; exit 1; }
awk -v m="$label_cpu" 'BEGIN { exit !(m < 1000) }' || { echo "svg_render: chromium takes 1 s or more" >&2; exit 1; }
