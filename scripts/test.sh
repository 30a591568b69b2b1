#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build, and a build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Then the tests that use threads under
# ThreadSanitizer, and every reader of outside data fuzzed for a fixed number of inputs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc)

bash "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
bash "$root/scripts/build.sh" build/asan -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DSTELLARO_SANITIZE=ON
ctest --test-dir "$root/build/asan" --output-on-failure --parallel "$jobs"

# Only the programs of the threaded tests: the log, the scheduler, the application's loop and
# wake-up, the settings store, the map's tile loader.
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
cmake -S "$root" -B "$root/build/tsan" -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" \
  -DSTELLARO_THREAD_SANITIZE=ON -DSTELLARO_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build/tsan" --parallel "$jobs" --target skin_io_tests platform_tests shell_tests screens_tests
ctest --test-dir "$root/build/tsan" --output-on-failure --parallel "$jobs" -R '^(LogTest|RegistryStore|ActiveScheduler|ApplicationTest|GpsPollerTest|GpsPollerWithoutDaemon|MapTileLoaderTest)\.'

bash "$root/scripts/build_fuzz.sh"
ctest --test-dir "$root/build/fuzz" --output-on-failure --parallel "$jobs"
bash "$root/scripts/test_ratio.sh"
