#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for SECONDS (default 60), seeded from examples/. Fails on the first crash, leak or hang;
# the input that caused it is left in build/fuzz/findings/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_split_field fuzz_readers fuzz_compile fuzz_zkf_reader fuzz_serve_request)

cmake --preset fuzz -DORBLINE_WERROR="${ORBLINE_WERROR:-OFF}" >/dev/null
cmake --build --preset fuzz
bin=build/fuzz/fuzz
seeds=build/fuzz/seeds
rm -rf "$seeds"
"$bin/fuzz_make_seeds" "$seeds" examples/sample examples/sample-comma
mkdir -p build/fuzz/findings build/fuzz/corpus "$seeds/serve"
# orblinec serve's requests, as the page sends them (the token is the fuzz target's).
t=0123456789abcdef0123456789abcdef
printf 'GET\n/api/state?token=%s\nHost: 127.0.0.1:8123\n\n' $t >"$seeds/serve/state"
printf 'POST\n/api/open\nHost: localhost:8123\nX-Orbline-Token: %s\n\n{"index":0,"generation":1}' $t >"$seeds/serve/open"
printf 'POST\n/api/settings\nHost: localhost:8123\nX-Orbline-Token: %s\n\n{"kugiri":0,"kankaku":5,"weekkind":0,"top":0,"sec30":1,"editor":"vi"}' \
  $t >"$seeds/serve/settings"
printf 'RGET /api/display?mode=6&page=1&grid=1&w=64&h=48&token=%s HTTP/1.1\r\nHost: 127.0.0.1:8123\r\n\r\n' $t \
  >"$seeds/serve/display"

for target in "${targets[@]}"; do
  case $target in
    fuzz_split_field) seed=$seeds/split ;;
    fuzz_zkf_reader) seed=$seeds/zkf ;;
    fuzz_serve_request) seed=$seeds/serve ;;
    *) seed=$seeds/readers ;;
  esac
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  log=build/fuzz/$target.log
  dict=fuzz/zkf.dict
  [ "$target" != fuzz_serve_request ] || dict=fuzz/serve.dict
  if ! "$bin/$target" "$corpus" "$seed" -dict="$dict" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/"$target"- >"$log" 2>&1; then
    grep -E '==[0-9]+==ERROR|SUMMARY|^artifact_prefix|Test unit written' "$log" >&2 || tail -n 30 "$log" >&2
    echo "fuzz: $target failed; the input is in build/fuzz/findings/, the log in $log" >&2
    exit 1
  fi
  grep -E '^#[0-9]+ +DONE|^stat::number_of_executed_units|^stat::peak_rss_mb|^Done ' "$log" || true
done
echo "fuzz: all targets ran ${seconds}s without a finding"
