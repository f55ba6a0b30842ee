#!/usr/bin/env bash
# Builds the Debian package from the build tree, compares its files with the install list and
# runs lintian on it: any error fails, warnings are printed.
#   package_test.sh BUILD_DIR SOURCE_DIR [HARDENED]
# HARDENED (ON or OFF) says whether the tree was built with Debian's hardening flags; a sanitizer
# or debug tree is not, and its package is checked for everything but that.
set -euo pipefail
build=$1
src=$2
hardened=${3:-ON}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; exit 1; }
deb=$(ls "$out"/*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | LC_ALL=C sort >"$out/files"
if ! diff -u <(LC_ALL=C sort "$src/tests/install/expected_files.txt") "$out/files"; then
  echo "the package's files differ from tests/install/expected_files.txt" >&2
  exit 1
fi

# The window needs the Qt runtime, which dpkg-shlibdeps must have found, and Qt's translations of
# its own buttons and dialogs.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 libqt6charts6 libstdc++6 qt6-translations-l10n; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed" >&2; exit 1; }
done

lintian -I --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 || true
cat "$out/lintian.log"
if grep -q '^E:' "$out/lintian.log"; then
  echo "lintian reports errors" >&2
  exit 1
fi
# The programs are built with Debian's hardening flags; lintian names each protection a program
# lacks (read-only relocations, bound at start, fortified functions, position independence).
if [ "$hardened" = ON ] && grep -q 'hardening-no-' "$out/lintian.log"; then
  echo "the package's programs lack hardening" >&2
  exit 1
fi
