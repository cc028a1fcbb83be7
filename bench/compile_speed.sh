#!/usr/bin/env bash
# Compiles the full-capacity line with orblinec as one process and compares its time with `wc -l`
# over the same source files, in the same run. Fails when compiling takes more than 20 times as
# long as wc -l, or when its peak memory reaches 32 MB.
#   bench/compile_speed.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/orbline_make_full_set" "$work/line" >/dev/null
cd "$work/line"
sources=(info.txt kind.txt eki.txt map.txt data1.txt data2.txt data3.txt)
measure="$build/bench/orbline_measure"
# One warm-up of each, so both read from the page cache.
wc -l "${sources[@]}" >/dev/null
"$build/cli/orblinec" compile --no-profile --weekkind 2 -o "$work/full.zkf" >/dev/null

wc_line=$("$measure" -n 30 -- wc -l "${sources[@]}")
compile_line=$("$measure" -n 30 -- "$build/cli/orblinec" compile --no-profile --weekkind 2 -o "$work/full.zkf")
value() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
wc_ms=$(value median_ms "$wc_line")
compile_ms=$(value median_ms "$compile_line")
rss_kb=$(value max_rss_kb "$compile_line")
source_bytes=$(cat "${sources[@]}" | wc -c)
zkf_bytes=$(stat -c %s "$work/full.zkf")

ratio=$(awk -v c="$compile_ms" -v w="$wc_ms" 'BEGIN { printf "%.1f", c / w }')
echo "source: $source_bytes bytes in ${#sources[@]} files; compiled file: $zkf_bytes bytes"
echo "wc -l:             median $wc_ms ms"
echo "orblinec compile:  median $compile_ms ms, peak memory $((rss_kb / 1024)) MB ($rss_kb KB)"
echo "ratio:             $ratio x wc -l (limit 20)"
awk -v c="$compile_ms" -v w="$wc_ms" -v r="$rss_kb" 'BEGIN { exit !(c <= 20 * w && r < 32 * 1024) }' || {
  echo "compile_speed: over the limit" >&2
  exit 1
}
