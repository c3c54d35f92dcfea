#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velmora need.
# Only what is missing is installed; apt-get update runs first when something is.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config mold
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  mdbtools mdbtools-dev libssl-dev libfontconfig-dev libdeflate-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth dbus-x11 at-spi2-core python3-pyatspi
  poppler-utils qpdf python3-xlrd libreoffice-calc-nogui libreoffice-writer-nogui
  libxml2-utils
  libxlsxwriter-dev python3-openpyxl appstream lintian unzip
)
if [ "${1:-}" = "--sanitize" ]; then
  packages+=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
