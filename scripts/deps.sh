#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# run need and this machine lacks. Safe to run again: it installs only what
# is missing.
set -euo pipefail

packages=(
  make cmake g++ pkg-config
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick
  fonts-noto-ui-core fonts-kacst fonts-dejavu-core fonts-dejavu-extra
  python3 python3-fonttools
  libcairo2-dev libfreetype-dev libfontconfig-dev
  zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
