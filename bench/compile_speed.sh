#!/usr/bin/env bash
# Compiles the full-capacity line with orblinec as one process and compares its time with `wc -l`
# over the same source files, in the same run, and times `orblinec check --all` on the same line.
# Fails when compiling takes more than 20 times as long as wc -l, when its peak memory reaches
# 32 MB, or when check --all takes more than twice as long as compiling.
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
check_line=$("$measure" -n 30 -- "$build/cli/orblinec" check --all --no-profile --weekkind 2)
value() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
wc_ms=$(value median_ms "$wc_line")
compile_ms=$(value median_ms "$compile_line")
rss_kb=$(value max_rss_kb "$compile_line")
check_ms=$(value median_ms "$check_line")
source_bytes=$(cat "${sources[@]}" | wc -c)
zkf_bytes=$(stat -c %s "$work/full.zkf")

ratio=$(awk -v c="$compile_ms" -v w="$wc_ms" 'BEGIN { printf "%.1f", c / w }')
echo "source: $source_bytes bytes in ${#sources[@]} files; compiled file: $zkf_bytes bytes"
echo "wc -l:             median $wc_ms ms"
echo "orblinec compile:  median $compile_ms ms, peak memory $((rss_kb / 1024)) MB ($rss_kb KB)"
echo "ratio:             $ratio x wc -l (limit 20)"
echo "orblinec check --all: median $check_ms ms, $(awk -v a="$check_ms" -v c="$compile_ms" 'BEGIN { printf "%.2f", a / c }') x compile (limit 2)"
awk -v c="$compile_ms" -v w="$wc_ms" -v r="$rss_kb" -v a="$check_ms" \
  'BEGIN { exit !(c <= 20 * w && r < 32 * 1024 && a <= 2 * c) }' || {
  echo "compile_speed: over the limit" >&2
  exit 1
}
