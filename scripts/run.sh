#!/usr/bin/env bash
# Runs the station: installs what is missing, builds, and opens the station's window connected to
# the built-in unit emulator (on a pseudo-terminal), so everything works without hardware.
#   scripts/run.sh                 the window with the emulator
#   scripts/run.sh --port DEVICE   the window on a real unit (any tty, e.g. /dev/ttyUSB0)
# Without a display it runs the command line against the emulator instead: a read that ends with
# a verify, then a few lines of live data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target korvan korvan-unit korvan-station

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  if [ "${1:-}" = "--port" ]; then
    exec build/app/korvan-station "$@"
  fi
  exec build/app/korvan-station --demo "$@"
fi

echo "No display here: running the command line against the unit emulator instead."
out=$(mktemp)
build/app/korvan-unit >"$out" &
unit=$!
trap 'kill $unit 2>/dev/null; rm -f "$out"' EXIT
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
port=$(head -n 1 "$out")
echo "Unit emulator on $port"
build/app/korvan read --port "$port"
build/app/korvan monitor --port "$port" --frames 5
