#!/usr/bin/env bash
# Installs dependencies, builds the release and the sanitizer flavours with warnings as errors and
# checks the house style, runs all tests in both, cross-builds for Windows and runs its tests under
# wine, writes the packages and tries each, then runs every fuzz target for 30 seconds
# (FUZZ_SECONDS).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ORBLINE_WERROR=ON  # every build below treats warnings as errors
for preset in release debug-asan; do
  echo "== $preset"
  cmake --preset "$preset" -DORBLINE_WERROR=ON
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  if [ "$preset" = release ]; then
    echo "== style"
    bash scripts/check-style.sh build/release
  fi
done
echo "== windows"
bash scripts/build-windows.sh
echo "== packages"
bash scripts/package.sh
bash scripts/check-packages.sh
echo "== fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
