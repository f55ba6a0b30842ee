#!/usr/bin/env bash
# The whole test suite: install what is missing, build, run every test; then the same under
# AddressSanitizer + UndefinedBehaviorSanitizer (clang), which also runs the fuzz targets for a
# bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset asan -j "$jobs"
