#!/usr/bin/env bash
# Counts non-blank, non-comment lines with cloc: the tests (all C++ and shell of tests/) against the
# program (every other C++ source but fuzz/, bench/ and what the build generates), and the ratio.
# Fails when the tests are more than a third of the program.
#   scripts/code-size.sh
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  cloc --quiet --csv "$@" | awk -F, '$2 == "SUM" { print $5 }'
}
tests=$(count --include-lang="C++,C/C++ Header,Bourne Shell" tests)
program=$(count --include-lang="C++,C/C++ Header" --exclude-dir=tests,fuzz,bench,build,examples,docs,scripts .)
echo "program code: $program lines"
echo "tests:        $tests lines"
awk -v t="$tests" -v p="$program" 'BEGIN {
  printf "ratio:        %.1f %% (at most 33.3 %%)\n", 100 * t / p
  exit !(3 * t <= p)
}'
