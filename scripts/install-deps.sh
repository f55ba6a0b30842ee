#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test, when they are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev clang-format ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-dejavu-core
  poppler-utils cups printer-driver-cups-pdf
  qt6-charts-dev libqt6opengl6-dev qt6-datavisualization-dev qt6-declarative-dev libgl1-mesa-dri
  qt6-svg-dev desktop-file-utils appstream lintian dpkg-dev groff man-db file
  xvfb openbox xdotool x11-utils qt6-qpa-plugins
  qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
