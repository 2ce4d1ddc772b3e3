#!/usr/bin/env bash
# The download for Windows users: the release Mirvashel.exe, an empty fonts
# folder beside it and a short read-me in Arabic and English, zipped, and
# SHA256SUMS for the zip and the exe inside it. Files carry the commit's
# time, so the same commit gives the same zip.
# usage: make-dist.sh RELEASE_EXE OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
out=$2
"$here/check-release.sh" "$exe"

stage="$out/Mirvashel"
rm -rf "$stage" "$out/Mirvashel.zip" "$out/SHA256SUMS"
mkdir -p "$stage/fonts"
cp "$exe" "$stage/"
# Windows' Notepad recognises UTF-8 by its byte order mark; lines end in CR LF.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$here/../app/res/ReadMe.txt"; } >"$stage/ReadMe.txt"
epoch=$(git -C "$here/.." log -1 --format=%ct 2>/dev/null || echo 315532800)
find "$stage" -exec touch -h -d "@$epoch" {} +
(cd "$out" && find Mirvashel | LC_ALL=C sort | TZ=UTC zip -q -X Mirvashel.zip -@)
(cd "$out" && sha256sum Mirvashel.zip Mirvashel/Mirvashel.exe >SHA256SUMS)
echo "Wrote $out/Mirvashel.zip:"
unzip -l "$out/Mirvashel.zip"
cat "$out/SHA256SUMS"
