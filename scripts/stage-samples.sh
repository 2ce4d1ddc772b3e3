#!/usr/bin/env bash
# Lays out a folder as a user would: Mirvashel.exe beside a "fonts" folder
# and a "VevoDider" folder holding real, freely licensed TrueType fonts from
# Debian's packages. The packages are unpacked into the build tree, not
# installed, so registering them visibly adds families.
# usage: stage-samples.sh EXE DEST
set -euo pipefail
exe=$1
dest=$2
cache="$(dirname "$dest")/font-debs"

unpack() { # package -> folder of its .ttf files
  local pkg=$1 out="$cache/$1"
  if [ ! -d "$out" ]; then
    mkdir -p "$cache/dl" && (cd "$cache/dl" && apt-get download "$pkg" >/dev/null 2>&1)
    dpkg -x "$cache"/dl/"$pkg"_*.deb "$out"
  fi
  find "$out" -iname '*.ttf'
}

rm -rf "$dest"
mkdir -p "$dest/fonts" "$dest/VevoDider"
cp "$exe" "$dest/"
unpack fonts-hosny-amiri | xargs -I{} cp {} "$dest/fonts/"
unpack fonts-sil-scheherazade | xargs -I{} cp {} "$dest/VevoDider/"
echo "Staged $(ls "$dest/fonts" | wc -l) fonts in $dest/fonts, $(ls "$dest/VevoDider" | wc -l) in $dest/VevoDider" >&2
