#!/usr/bin/env bash
# Runs the station against the built-in unit emulator: installs what is missing, builds, starts
# korvan-unit on a pseudo-terminal and reads the unit through it (the read ends with a verify),
# then shows a few lines of live data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target korvan korvan-unit

out=$(mktemp)
build/app/korvan-unit >"$out" &
unit=$!
trap 'kill $unit 2>/dev/null; rm -f "$out"' EXIT
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
port=$(head -n 1 "$out")
echo "Unit emulator on $port"

build/app/korvan read --port "$port" "$@"
build/app/korvan monitor --port "$port" --frames 5
