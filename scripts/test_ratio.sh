#!/usr/bin/env bash
# Prints the size of the tests against the hand-written code (src/ and tools/, generated tables
# left out), in lines of C++. With --check it fails when the tests fall outside 25-35 % of it.
set -euo pipefail
cd "$(dirname "$0")/.."
count_lines() { xargs -r cat | wc -l; }
code=$(find src tools -name '*.cpp' -o -name '*.h' | while read -r f; do
  head -c 600 "$f" | grep -qi 'generated' || echo "$f"; done | count_lines)
tests=$(find tests -name '*.cpp' -o -name '*.h' | count_lines)
percent=$(( 100 * tests / code ))
echo "tests: ${tests} lines, hand-written code: ${code} lines, ratio ${percent} %"
if [[ "${1:-}" == "--check" ]] && (( percent < 25 || percent > 35 )); then
  echo "the tests should be 25-35 % of the code" >&2
  exit 1
fi
