#!/usr/bin/env bash
# Builds the fuzzing harnesses in build/fuzz with clang, ASan and UBSan, seeded from the data
# files of the normal build in build/bin (which must have been built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DSTELLARO_FUZZ=ON -DSTELLARO_TESTS=OFF \
  "-DSTELLARO_FUZZ_DATA=$root/build/bin" >/dev/null
cmake --build "$root/build/fuzz" --parallel "$(nproc)" --target stellaro_fuzzers
