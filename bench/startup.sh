#!/usr/bin/env bash
# Start-up of the window to its first painted display, on a virtual X display: the median wall
# time of whole runs (start to exit right after the first paint) and the program's own figure
# from process start to the end of the first paint. Fails when the median run reaches 300 ms.
#   bench/startup.sh [BUILD_DIR]   (default build/release; needs xvfb-run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORBLINE_PROFILE="$work/Orbline.ini"
printf '[mode]\nmode=3\n' >"$ORBLINE_PROFILE"
export ORBLINE_QUIT_AFTER_FIRST_PAINT=1
cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
set -e
"$build/app/orbline" "$root/examples/sample" >/dev/null
echo "own: \$("$build/app/orbline" "$root/examples/sample")"
"$build/bench/orbline_measure" -n 20 -- "$build/app/orbline" "$root/examples/sample"
RUN
chmod +x "$work/run.sh"
result=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh")
echo "$result"
median=$(sed -n 's/.*median_ms=\([0-9.]*\).*/\1/p' <<<"$result")
awk -v m="$median" 'BEGIN { exit !(m < 300) }' || { echo "startup: over 300 ms" >&2; exit 1; }
