#!/usr/bin/env bash
# The download for Windows users: the release Mirvashel.exe, an empty fonts
# folder beside it and a short read-me in Arabic and English, zipped.
# usage: make-dist.sh RELEASE_EXE OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
out=$2
"$here/check-release.sh" "$exe"

stage="$out/Mirvashel"
rm -rf "$stage" "$out/Mirvashel.zip"
mkdir -p "$stage/fonts"
cp "$exe" "$stage/"
# Windows' Notepad recognises UTF-8 by its byte order mark; lines end in CR LF.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$here/../app/res/ReadMe.txt"; } >"$stage/ReadMe.txt"
(cd "$out" && zip -qr -X Mirvashel.zip Mirvashel)
echo "Wrote $out/Mirvashel.zip:"
unzip -l "$out/Mirvashel.zip"
