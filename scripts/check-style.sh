#!/usr/bin/env bash
# The house style as CI holds it: every C++ file as Debian 12's clang-format (version 14) writes it
# with .clang-format, and no function of the program (tests, benchmarks and fuzz targets aside)
# longer than 60 lines, as clang-tidy's readability-function-size counts them with the compile
# commands of BUILD_DIR.
#   scripts/check-style.sh [BUILD_DIR]   (default build/release; -i formats the files instead)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "-i" ]; then
  git ls-files '*.cc' '*.h' | xargs clang-format -i --style=file
  exit 0
fi
build=${1:-build/release}
status=0

unformatted=$(git ls-files '*.cc' '*.h' | while read -r f; do
  clang-format --style=file "$f" | cmp -s - "$f" || echo "$f"
done)
if [ -n "$unformatted" ]; then
  echo "check-style: not as clang-format writes them (bash scripts/check-style.sh -i formats them):" >&2
  echo "$unformatted" >&2
  status=1
fi

config='{CheckOptions: [{key: readability-function-size.LineThreshold, value: 60}]}'
long=$(git ls-files '*.cc' | grep -v -E '^(tests|bench|fuzz)/' |
  xargs -P 2 -n 8 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option -checks='-*,readability-function-size' -config="$config" 2>/dev/null |
  grep 'warning: function' | sort -u || true)
if [ -n "$long" ]; then
  echo "check-style: functions over 60 lines:" >&2
  echo "$long" >&2
  status=1
fi
[ $status -eq 0 ] && echo "check-style: formatted, and no function over 60 lines"
exit $status
