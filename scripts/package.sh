#!/usr/bin/env bash
# Builds the Debian package of the station from the default build (build/) and prints its path:
#   scripts/package.sh        -> build/package/korvan-station_<version>-1_<arch>.deb
# Install it with: sudo apt install ./build/package/korvan-station_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
(cd build && cpack -G DEB >/dev/null)
ls build/package/*.deb
