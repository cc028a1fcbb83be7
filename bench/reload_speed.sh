#!/usr/bin/env bash
# From saving a file of the full-capacity line (3 × 3000 trains, weekkind 2) to what the window
# shows, on a virtual X display, with the timetable listing shown:
#   - data1.txt, which the listing reads: to the repainted listing;
#   - eki.txt, which it does not: to the problems list refreshed by a check of the whole line.
# The saves alternate between the two ways editors save (a new file renamed over the old one; the
# file truncated and written again); each run's time goes from just before the save to the moment
# the window reports. Prints every run, the median and the slowest of each; fails when the median
# for data1.txt is over the settle time (250 ms) plus 60 ms, or that for eki.txt over the settle
# time plus 150 ms (the check reads all 10 MB of the line, on a thread of its own).
#   bench/reload_speed.sh [BUILD_DIR] [RUNS]   (default build/release, 20 runs; needs xvfb-run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-20}
limit_ms=310
list_limit_ms=400
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
# Saves version a or b of FILE, in turn by renaming a new file over it and by writing it in place,
# and prints the style and the time the save started.
save() {
  local file=$1 i=$2 version style start
  version=$([ $((i % 2)) -eq 0 ] && echo a || echo b)
  if [ $((i % 4)) -lt 2 ]; then
    cp "$out.$file.$version" "$line/$file.new~"
    start=$(date +%s%N)
    mv "$line/$file.new~" "$line/$file"
    style=rename
  else
    start=$(date +%s%N)
    cat "$out.$file.$version" >"$line/$file"
    style=in-place
  fi
  echo "$style $start"
}
"$build/app/orbline" "$line" >"$out.log" 2>"$out.err" &
app=$!
trap 'kill $app 2>/dev/null; wait $app 2>/dev/null || true' EXIT
reports() { grep -c "$1" "$out.log" || true; }
for _ in $(seq 200); do [ "$(reports painted)" -ge 1 ] && break; sleep 0.05; done
[ "$(reports painted)" -ge 1 ] || { echo "reload_speed: the window did not paint" >&2; exit 1; }
# Two versions of data1.txt: the first train leaves a minute later in the second; of eki.txt: the
# first station's name ends in a blank in the second.
cp "$line/data1.txt" "$out.data1.txt.a"
sed '2s/\t00\t/\t01\t/' "$out.data1.txt.a" >"$out.data1.txt.b"
cp "$line/eki.txt" "$out.eki.txt.a"
sed '1s/\(\r\?\)$/ \1/' "$out.eki.txt.a" >"$out.eki.txt.b"
# The time is the window's own; looking for it now and then does not change it.
for i in $(seq "$runs"); do
  sleep 0.7  # an author saves now and then; the check of the whole line has long finished
  read -r style start < <(save data1.txt "$i")
  for _ in $(seq 100); do [ "$(reports reloaded)" -ge "$i" ] && break; sleep 0.05; done
  end=$(grep reloaded "$out.log" | sed -n "${i}p" | cut -d' ' -f2)
  [ -n "$end" ] || { echo "reload_speed: no reload after save $i" >&2; exit 1; }
  echo "$style $(( (end - start) / 1000000 ))" >>"$out"
done
for i in $(seq "$runs"); do
  sleep 0.7
  checks=$(reports checked)
  read -r style start < <(save eki.txt "$i")
  for _ in $(seq 100); do [ "$(reports checked)" -gt "$checks" ] && break; sleep 0.05; done
  end=$(grep checked "$out.log" | sed -n "$((checks + 1))p" | cut -d' ' -f2)
  [ -n "$end" ] || { echo "reload_speed: no check after save $i of eki.txt" >&2; exit 1; }
  echo "$style $(( (end - start) / 1000000 ))" >>"$out.list"
done
[ "$(reports reloaded)" -eq "$runs" ] || { echo "reload_speed: eki.txt reloaded the listing" >&2; exit 1; }
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$build" "$work/line" "$runs" "$work/times"
# Prints every run of FILE and its median, slowest and fastest; fails over LIMIT ms, if given.
summary() {
  awk '{ printf "  %-8s %d\n", $1, $2 }' "$1"
  sort -n -k2 "$1" | awk -v limit="${2:-0}" '
    { t[NR] = $2 }
    END {
      median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "median %.1f ms, slowest %d ms, fastest %d ms over %d saves", median, t[NR], t[1], NR
      if (limit > 0) printf " (limit %d)", limit
      printf "\n"
      exit !(limit == 0 || median <= limit)
    }'
}
echo "data1.txt, which the listing reads: save to repainted listing, ms (settle time 250):"
summary "$work/times" "$limit_ms" || { echo "reload_speed: over the limit" >&2; exit 1; }
echo "eki.txt, which it does not read: save to refreshed problems list, ms (settle time 250):"
summary "$work/times.list" "$list_limit_ms" || { echo "reload_speed: over the limit" >&2; exit 1; }
