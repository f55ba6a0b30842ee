#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says; fails with the list of
# the files that are not (clang-format -i FILE formats one).
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null || { echo "check-format: clang-format is missing" >&2; exit 1; }

mapfile -t files < <(git ls-files -- '*.cc' '*.h')
# One clang-format for all files; each place it would change is reported as FILE:LINE:COL: ...
report=$(clang-format --dry-run -Werror "${files[@]}" 2>&1) && status=0 || status=$?
if ((status != 0)); then
  mapfile -t unformatted < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: (error|warning)' <<<"$report" |
    cut -d: -f1 | sort -u)
  if ((${#unformatted[@]} == 0)); then
    echo "$report" >&2
    echo "check-format: clang-format failed" >&2
    exit 1
  fi
  echo "check-format: ${#unformatted[@]} of ${#files[@]} files are not formatted" \
    "(clang-format -i FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: all ${#files[@]} files formatted"
