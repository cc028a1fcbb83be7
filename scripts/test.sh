#!/usr/bin/env bash
# Installs dependencies, builds the release and the sanitizer flavours, runs all tests in both, then
# runs every fuzz target for 30 seconds (FUZZ_SECONDS).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in release debug-asan; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
