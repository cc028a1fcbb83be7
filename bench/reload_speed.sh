#!/usr/bin/env bash
# From saving data1.txt of the full-capacity line (3 × 3000 trains, weekkind 2) to the window's
# repainted timetable listing, on a virtual X display. The saves alternate between the two ways
# editors save (a new file renamed over the old one; the file truncated and written again); each
# run's time goes from just before the save to the end of the repaint, as the window reports it.
# Prints every run, the median and the slowest; fails when the median is over the settle time
# (250 ms) plus 60 ms.
#   bench/reload_speed.sh [BUILD_DIR] [RUNS]   (default build/release, 20 runs; needs xvfb-run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-20}
limit_ms=310
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/orbline_make_full_set" "$work/line" >/dev/null
export ORBLINE_PROFILE="$work/Orbline.ini"
printf '[data]\nweekkind=2\n[mode]\nmode=7\n' >"$ORBLINE_PROFILE"
export ORBLINE_REPORT_RELOADS=1

cat >"$work/run.sh" <<'RUN'
#!/usr/bin/env bash
set -euo pipefail
build=$1 line=$2 runs=$3 out=$4
"$build/app/orbline" "$line" >"$out.log" 2>"$out.err" &
app=$!
trap 'kill $app 2>/dev/null; wait $app 2>/dev/null || true' EXIT
reports() { grep -c "$1" "$out.log" || true; }
for _ in $(seq 200); do [ "$(reports painted)" -ge 1 ] && break; sleep 0.05; done
[ "$(reports painted)" -ge 1 ] || { echo "reload_speed: the window did not paint" >&2; exit 1; }
# Two versions of data1.txt: the first train leaves a minute later in the second.
cp "$line/data1.txt" "$out.a"
sed '2s/\t00\t/\t01\t/' "$out.a" >"$out.b"
for i in $(seq "$runs"); do
  sleep 0.7  # an author saves now and then; the check of the whole line has long finished
  version=$([ $((i % 2)) -eq 0 ] && echo a || echo b)
  if [ $((i % 4)) -lt 2 ]; then
    cp "$out.$version" "$line/data1.txt.new~"
    start=$(date +%s%N)
    mv "$line/data1.txt.new~" "$line/data1.txt"
    style=rename
  else
    start=$(date +%s%N)
    cat "$out.$version" >"$line/data1.txt"
    style=in-place
  fi
  # The time is the window's own; looking for it now and then does not change it.
  for _ in $(seq 100); do [ "$(reports reloaded)" -ge "$i" ] && break; sleep 0.05; done
  end=$(grep reloaded "$out.log" | sed -n "${i}p" | cut -d' ' -f2)
  [ -n "$end" ] || { echo "reload_speed: no reload after save $i" >&2; exit 1; }
  echo "$style $(( (end - start) / 1000000 ))" >>"$out"
done
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$build" "$work/line" "$runs" "$work/times"
echo "save to repainted listing, ms (settle time 250):"
awk '{ printf "  %-8s %d\n", $1, $2 }' "$work/times"
sort -n -k2 "$work/times" | awk -v limit="$limit_ms" '
  { t[NR] = $2 }
  END {
    median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "median %.1f ms, slowest %d ms, fastest %d ms over %d saves (limit %d)\n", median, t[NR], t[1], NR, limit
    exit !(median <= limit)
  }' || { echo "reload_speed: over the limit" >&2; exit 1; }
