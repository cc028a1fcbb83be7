#!/usr/bin/env bash
# Cross-builds orblinec.exe and the unit tests for 64-bit Windows into build/windows/ with Debian's
# mingw-w64 compilers, runs every test that does not need Qt under wine, then runs orblinec.exe as
# an author does and checks that it writes the same files, byte for byte, and says the same (path
# separators apart) as the Linux build: the sample in both separations, the full-capacity line,
# decompiling and compiling back, SVG drawings, Japanese folder and file names, faults and usage
# errors; then runs orblinec.exe serve and the browser tests against it in this machine's Chromium.
# Installs what it needs from Debian; builds the Linux release's orblinec first if it is missing.
#   scripts/build-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest libcli11-dev nlohmann-json3-dev libboost-dev)
bash scripts/apt-install.sh "${packages[@]}"

export WINEPREFIX=$root/build/windows/wine WINEDEBUG=-all
echo "== windows: build"
cmake --preset windows -DORBLINE_WERROR="${ORBLINE_WERROR:-OFF}" >/dev/null
cmake --build --preset windows
echo "== windows: tests under wine"
ctest --preset windows

echo "== windows: orblinec.exe against the Linux build"
linux=$root/build/release
if [ ! -x "$linux/cli/orblinec" ] || [ ! -x "$linux/bench/orbline_make_full_set" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target orblinec orbline_make_full_set
fi
exe=$root/build/windows/cli/orblinec.exe
work=$root/build/windows/same-bytes
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
for side in linux windows; do
  cp -r examples/sample examples/sample-comma "$work/$side/"
  cp -r examples/sample "$work/$side/路線 データ"
  cp -r examples/sample "$work/$side/faults"
  printf '1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t100\t0\tL\tN\r\n' >>"$work/$side/faults/eki.txt"
  printf 'a line with a Ctrl-Z \x1A in it\r\n' >>"$work/$side/faults/info.txt"
  rm "$work/$side/faults/data2.txt"
  # A Ctrl-Z inside the first station's line: data, which must not end the file there.
  cp -r examples/sample "$work/$side/ctrl-z"
  sed -i '1s/\r$/\x1A\r/' "$work/$side/ctrl-z/eki.txt"
  "$linux/bench/orbline_make_full_set" "$work/$side/full" >/dev/null
done
# The folder's own path reads as "$W", Windows' drive Z: and backslashes (in JSON, escaped ones) as
# Linux's slashes.
normalise() { sed -e 's#Z:\\#/#g' -e 's#\\\\#/#g' -e 's#\\#/#g' -e "s#$1#\$W#g"; }
failures=0
commands=0
# Runs orblinec with the arguments in both folders; what it printed, and its status, must read alike.
both() {
  commands=$((commands + 1))
  (cd "$work/linux" && "$linux/cli/orblinec" "$@" >.out 2>.err; echo "exit $?" >>.out) || true
  (cd "$work/windows" && wine "$exe" "$@" >.out 2>.err </dev/null; echo "exit $?" >>.out) || true
  for stream in out err; do
    if ! diff <(normalise "$work/linux" <"$work/linux/.$stream") \
              <(normalise "$work/windows" <"$work/windows/.$stream") >"$work/diff"; then
      echo "orblinec.exe $*: standard $stream differs from Linux's:" >&2
      head -20 "$work/diff" >&2
      failures=$((failures + 1))
    fi
  done
}
both compile -C sample --no-profile -o sample.zkf
both compile -C sample --no-profile -o sample.zkf
both compile -C sample-comma --no-profile --kugiri 1 -o comma.zkf
both compile -C full --no-profile --weekkind 2 -o full.zkf
both compile -C "路線 データ" --no-profile -o 路線.zkf
both compile -C faults --no-profile -o faults.zkf
both compile -C ctrl-z --no-profile -o ctrl-z.zkf
both check --all -C faults --no-profile
both check --all --json -C faults --no-profile
both dump sample.zkf
both dump 路線.zkf --json
both decompile sample.zkf -C 戻した
both compile -C 戻した --no-profile --kugiri 0 --weekkind 0 --top 0 --30sec 1 -o back.zkf
both decompile full.zkf -C full-back --kugiri 1
both compile -C full-back --no-profile --kugiri 1 --weekkind 2 --top 0 --30sec 1 -o full-back.zkf
both compile -C sample --no-profile -o sample/eki.txt/x.zkf
both compile -C sample --no-profile -o no-such-folder/x.zkf
both render -C sample --no-profile --mode 4 --grid -o map.svg
both render -C "路線 データ" --no-profile --mode 7 --size 800x600 -o 時刻表.svg
both compile --kugiri 4
both --version
# The window's profile where QSettings keeps it on Windows, %APPDATA%\Orbline.ini: comma-separated.
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' </dev/null | tr -d '\r')")
printf '[data]\nkugiri=1\n' >"$appdata/Orbline.ini"
(cd "$work/windows" && wine "$exe" compile -C sample-comma -o profile.zkf </dev/null >/dev/null) ||
  { echo "orblinec.exe did not take the settings of %APPDATA%\\Orbline.ini" >&2; failures=$((failures + 1)); }
rm "$appdata/Orbline.ini"
cp "$work/linux/comma.zkf" "$work/linux/profile.zkf"
for zkf in profile.zkf sample.zkf comma.zkf full.zkf 路線.zkf back.zkf full-back.zkf ctrl-z.zkf map.svg 時刻表.svg; do
  if ! cmp "$work/linux/$zkf" "$work/windows/$zkf"; then
    echo "orblinec.exe wrote another $zkf than Linux" >&2
    failures=$((failures + 1))
  fi
done
[ "$(stat -c %s "$work/windows/ctrl-z.zkf")" -eq $(($(stat -c %s "$work/windows/sample.zkf") + 1)) ] ||
  { echo "a Ctrl-Z in eki.txt was not read as one byte of data" >&2; failures=$((failures + 1)); }
cmp -s "$work/windows/sample.zkf" "$work/windows/back.zkf" || { echo "decompiled sample does not compile back" >&2; failures=$((failures + 1)); }
cmp -s "$work/windows/full.zkf" "$work/windows/full-back.zkf" || { echo "decompiled full line does not compile back" >&2; failures=$((failures + 1)); }

echo "== windows: orblinec.exe serve answers Linux's Chromium"
serve=$work/serve
mkdir -p "$serve"
cp -r examples/sample "$serve/line"
(cd "$serve" && exec wine "$exe" serve -C line --no-open --profile Orbline.ini </dev/null >serve.out 2>serve.err) &
server=$!
for _ in $(seq 150); do grep -q token "$serve/serve.out" 2>/dev/null && break; sleep 0.2; done
url=$(head -n1 "$serve/serve.out" | tr -d '\r')  # wine writes CR LF
if [ -z "$url" ] || ! ORBLINE_SERVE_URL="$url" ORBLINE_SERVE_FOLDER="$serve/line" \
    node --test tests/browser/serve.test.mjs >"$serve/test.log" 2>&1; then
  grep -E '^not ok|^# (pass|fail)|Error' "$serve/test.log" >&2 || cat "$serve/serve.err" >&2
  echo "orblinec.exe serve did not pass the browser tests" >&2
  failures=$((failures + 1))
else
  echo "orblinec.exe serve: $(grep -E '^# (pass|fail)' "$serve/test.log" | tr '\n' ' ')"
fi
kill -INT "$server" 2>/dev/null || true
for _ in $(seq 50); do kill -0 "$server" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$server" 2>/dev/null; then
  echo "orblinec.exe serve did not stop on Ctrl+C" >&2
  kill "$server" 2>/dev/null || true
  failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
  echo "build-windows: $failures differences from the Linux build" >&2
  exit 1
fi
echo "build-windows: $commands commands alike on Linux and Windows; orblinec.exe $(stat -c %s "$exe") bytes;" \
  "$((SECONDS - start)) s"
