#!/usr/bin/env bash
# Long fuzz run: each fuzz target in turn, 10 M executions by default, starting from the corpus
# kept in tests/fuzz/corpus, under AddressSanitizer + UndefinedBehaviorSanitizer in an optimised
# build (preset "fuzz", build-fuzz/), at the lowest priority. Fails on any crash, sanitizer
# report, leak, time-out or memory blow-up, and prints each target's rate and a summary.
# Not part of scripts/test.sh (it runs each target for 20 s only).
#
#   scripts/fuzz-soak.sh [--runs N] [--max-time SECONDS] [--merge] [TARGET...]
#
# --max-time stops a target early (the summary says how far it got); --merge adds what the run
# found to tests/fuzz/corpus (libFuzzer -merge=1: only inputs with new coverage; mind the size).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=10000000
max_time=0
merge=0
targets=()
while (($#)); do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --max-time) max_time=$2; shift 2 ;;
    --merge) merge=1; shift ;;
    -h|--help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz-soak: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
((${#targets[@]})) || targets=(receive_path_fuzz parameter_file_fuzz)

nice -n 19 cmake --preset fuzz >/dev/null
nice -n 19 cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
soak_root=build-fuzz/soak
summary=()
failed=0
for target in "${targets[@]}"; do
  seeds=tests/fuzz/corpus/$target
  work=$soak_root/$target
  rm -rf "$work"
  mkdir -p "$work/found"
  log=$work/fuzz.log
  echo "== $target: up to $runs executions$( ((max_time)) && echo " or $max_time s"), log $log"
  status=0
  # The first folder receives what the run finds; the repository's seeds are only read.
  nice -n 19 "build-fuzz/tests/fuzz/$target" -runs="$runs" -max_total_time="$max_time" \
    -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/found" "$seeds" >"$log" 2>&1 || status=$?

  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: ' \
    "$log" || true)
  artifacts=$(find "$work" -maxdepth 1 -type f \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  found=$(find "$work/found" -type f | wc -l)
  verdict=ok
  if ((status != 0 || reports != 0 || artifacts != 0)) || [[ -z "$executed" ]]; then
    verdict=FAILED
    failed=1
    echo "!! $target failed (exit $status, $reports sanitizer/fuzzer reports, $artifacts inputs" \
      "saved in $work):" >&2
    grep -E -A25 'ERROR: |runtime error:' "$log" | head -60 >&2 || tail -30 "$log" >&2
  fi
  line=$(printf '%-20s %-6s %10s executions  %6s exec/s  %s  %s new inputs' "$target" \
    "$verdict" "${executed:-?}" "${rate:-?}" "${coverage:-cov: ?}" "$found")
  echo "$line"
  summary+=("$line")

  if ((merge && status == 0)) && ((found > 0)); then
    nice -n 19 "build-fuzz/tests/fuzz/$target" -merge=1 -rss_limit_mb=2048 "$seeds" \
      "$work/found" >"$work/merge.log" 2>&1
    echo "   merged: $(grep -oE 'MERGE-OUTER: [0-9]+ new files' "$work/merge.log" || echo '?')"
  fi
done

echo
echo "Fuzz soak summary (runs per target: $runs):"
printf '  %s\n' "${summary[@]}"
if ((failed)); then
  echo "FAILED: see the logs above; the inputs that failed are kept beside them." >&2
  exit 1
fi
echo "0 crashes, 0 sanitizer reports."
