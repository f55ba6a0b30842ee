#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR under /usr and compares the files with the
# expected list; then checks the installed pieces the way a desktop and a package would.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$root.list"
if ! diff -u <(LC_ALL=C sort "$src/tests/install/expected_files.txt") "$root.list"; then
  echo "the installed files differ from tests/install/expected_files.txt (- expected, + installed)" >&2
  rm -f "$root.list"
  exit 1
fi
rm -f "$root.list"

# The programs are executable and the PNGs are the sizes their folders promise.
for program in korvan korvan-station korvan-unit; do
  [ -x "$root/usr/bin/$program" ] || { echo "usr/bin/$program is not executable" >&2; exit 1; }
done
for png in "$root"/usr/share/icons/hicolor/*x*/apps/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  actual=$(file -b "$png" | grep -oE '[0-9]+ x [0-9]+' | tr -d ' ')
  [ "$actual" = "$size" ] || { echo "$png is $actual, not $size" >&2; exit 1; }
done

# The station looks for its help documents in ../share/korvan from its own folder.
[ -f "$root/usr/bin/../share/korvan/korvan_2007_en.pdf" ] ||
  { echo "no help document in share/korvan beside bin/" >&2; exit 1; }
echo "install tree ok: $(wc -l <"$src/tests/install/expected_files.txt") files"
