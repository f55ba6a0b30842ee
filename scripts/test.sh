#!/usr/bin/env bash
# The whole test suite: install what is missing, build, run every test; then the same under
# AddressSanitizer + UndefinedBehaviorSanitizer (clang), which also runs the fuzz targets for a
# bounded time. The format check runs first. Prints how long each phase took at the end.
#
# Both builds go through ccache when it is installed (see CMakeLists.txt), so a second run, or a
# fresh clone on a machine that built the same sources before, compiles little.
set -euo pipefail
cd "$(dirname "$0")/.."

phases=()
phase_start=$SECONDS
run_start=$SECONDS
# Ends the phase under way: its name and how long it took.
phase_done() {
  phases+=("$(printf '%-28s %4d s' "$1" $((SECONDS - phase_start)))")
  phase_start=$SECONDS
}
print_times() {
  echo
  echo "Phase times:"
  printf '  %s\n' "${phases[@]}"
  printf '  %-28s %4d s\n' "total" $((SECONDS - run_start))
  # The processor time of every step, user and system: on a shared machine the elapsed times
  # above say more about the other load than about this run.
  local cpu_file
  cpu_file=$(mktemp)
  times >"$cpu_file"
  printf '  %-28s %s\n' "processor time (user, sys)" "$(tail -n 1 "$cpu_file")"
  rm -f "$cpu_file"
}
trap print_times EXIT

scripts/install-deps.sh
phase_done "install"

# First, since it takes seconds: a file that is not in the house style fails the run.
scripts/check-format.sh
phase_done "format check"

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
phase_done "configure+build default"
ctest --preset default -j "$jobs"
phase_done "tests default"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
phase_done "configure+build asan"
# The install and package tests check the packaging, not memory: the default pass runs them.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset asan -j "$jobs" --label-exclude install
phase_done "tests asan"
