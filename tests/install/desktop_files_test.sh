#!/usr/bin/env bash
# The menu entry and the AppStream metadata validate, and the manual pages render without
# a single warning.
#   desktop_files_test.sh SOURCE_DIR
set -euo pipefail
src=$1
id=org.korvan.station

desktop-file-validate "$src/packaging/$id.desktop"
appstreamcli validate --no-net --pedantic "$src/packaging/$id.metainfo.xml"

for page in "$src"/packaging/man/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  warnings+=$(groff -man -wall -Tutf8 -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$(basename "$page") renders with warnings:" >&2
    echo "$warnings" >&2
    exit 1
  fi
done
echo "desktop entry, AppStream metadata and manual pages ok"
