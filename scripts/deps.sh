#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# run need and this machine lacks. Safe to run again: it installs only what
# is missing.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
  make cmake g++ pkg-config
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick
  debootstrap
  python3 python3-fonttools
  libcairo2-dev libfreetype-dev libfontconfig-dev
  zip unzip
  openssl osslsigncode
)
mapfile -t font_packages < <(grep -v '^#' "$here/wine-font-packages.txt" | grep .)
packages+=("${font_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine 10 in a Debian trixie root, which runs the 32-bit release build on
# the route this machine allows (native, or emulated where the CPU runs no
# 32-bit code).
$SUDO "$here/i686-route.sh" --quiet
$SUDO "$here/wow64-root.sh"
