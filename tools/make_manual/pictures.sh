#!/bin/sh
# Makes the pictures the manuals show, in docs/manual/pictures/<lang>/, from the real window:
# the station offscreen against the emulated unit in memory, with the engine running, in each
# language. Run from the source tree after building (cmake --build --preset default):
#   tools/make_manual/pictures.sh [BUILD_DIR]
# korvan_make_manual --picture makes them small (scaled down, 256 colours).
set -eu
build=${1:-build}
top=$(cd "$(dirname "$0")/../.." && pwd)
shots=$build/tests/korvan_screenshots
menus=$build/tests/korvan_menu_screenshots
shrink=$build/tools/make_manual/korvan_make_manual
for tool in "$shots" "$menus" "$shrink"; do
  [ -x "$tool" ] || { echo "pictures.sh: $tool is not built" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# The Com menu shows plain "Com n" whatever this machine has plugged in.
export KORVAN_DEVICE_ROOT=$work/no-devices
mkdir -p "$KORVAN_DEVICE_ROOT"

# small SOURCE TARGET WIDTH: scaled to WIDTH pixels at most, with a palette of 256 colours.
small() {
  "$shrink" --picture "$1" "$2" "$3"
}

for pair in en:ENGLISH de:DEUTSCH fr:FRENCH cz:CESKY; do
  lang=${pair%%:*}
  word=${pair#*:}
  out=$top/docs/manual/pictures/$lang
  mkdir -p "$out" "$work/$lang/menus"
  "$shots" "$work/$lang" "$word" --differences >/dev/null 2>&1
  "$menus" "$work/$lang/menus" "$word" >/dev/null 2>&1
  small "$work/$lang/bike.png" "$out/bike.png" 900
  small "$work/$lang/inj-1a.png" "$out/inj-1a.png" 900
  small "$work/$lang/menus/MenuLog.png" "$out/menu-log.png" 400
  small "$work/$lang/differences.png" "$out/differences.png" 900
done
du -sh "$top/docs/manual/pictures"
