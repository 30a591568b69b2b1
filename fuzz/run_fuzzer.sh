#!/usr/bin/env bash
# Runs one harness from its seeds in a fresh work folder, so each run starts alike:
#   run_fuzzer.sh HARNESS SEEDS WORK [libFuzzer options...]
# The work folder keeps what the run found: new inputs in corpus/, a crashing input in crash-*,
# and the log in fuzz.log. Fails on any crash, leak, timeout or sanitizer report.
set -euo pipefail
harness=$1 seeds=$2 work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/corpus"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if ! "$harness" -timeout=25 -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds" >"$work/fuzz.log" 2>&1; then
  tail -n 60 "$work/fuzz.log"
  echo "$(basename "$harness"): FAILED, reproducer: $(ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* 2>/dev/null | head -1)"
  exit 1
fi
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$work/fuzz.log" || true
