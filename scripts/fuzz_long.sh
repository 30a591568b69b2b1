#!/usr/bin/env bash
# The long fuzzing run: each harness in turn (all, or those named) for RUNS inputs (one million
# unless --runs says otherwise), one at a time. Each keeps its corpus in build/fuzz/long/NAME/
# from run to run, and a crashing input there as crash-* (leak-*, timeout-*, oom-*). Prints and
# writes to build/fuzz/long/report.txt per harness the inputs run, the coverage (cov: edges,
# ft: features) and the reproducer of any crash. Exits 1 when any harness crashed.
#   bash scripts/fuzz_long.sh [--runs N] [NAME...]     e.g. --runs 5000000 cities zip
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=1000000
if [[ ${1:-} == --runs ]]; then
  runs=$2
  shift 2
fi
bash "$root/scripts/build_fuzz.sh" >/dev/null
fuzz=$root/build/fuzz
if [[ $# -eq 0 ]]; then
  set -- $(cd "$fuzz/fuzzers" && ls fuzz_* | sed 's/^fuzz_//')
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
report=$fuzz/long/report.txt
mkdir -p "$fuzz/long"
status=0
for name in "$@"; do
  work=$fuzz/long/$name
  mkdir -p "$work/corpus"
  start=$(date +%s)
  result=passed
  "$fuzz/fuzzers/fuzz_$name" -runs="$runs" -timeout=25 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/corpus" "$fuzz/fuzz/seeds/$name" >"$work/fuzz.log" 2>&1 || result=CRASHED
  # The last status line: "#INPUTS DONE|pulse|NEW... cov: N ft: N corp: ..."
  last=$(grep -E '^#[0-9]+[[:space:]]' "$work/fuzz.log" | tail -n 1)
  line="$name: $result after ${last%%[[:space:]]*} inputs in $(($(date +%s) - start)) s; $(grep -oE 'cov: [0-9]+ ft: [0-9]+' <<<"$last" || true)"
  if [[ $result == CRASHED ]]; then
    status=1
    line+="; reproducer $(ls -t "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null | head -n 1); log $work/fuzz.log"
  fi
  echo "$line" | tee -a "$report"
done
exit $status
