#!/usr/bin/env bash
# The download for Windows users: the release Mirvashel.exe, an empty fonts
# folder beside it and a short read-me in Arabic and English, zipped, and
# SHA256SUMS for the zip and the exe inside it. Files carry the commit's
# time, so the same commit gives the same zip.
#
# Given a code-signing certificate, the exe is signed (Authenticode, SHA-256)
# before it is zipped, so the zip and SHA256SUMS hold the signed exe:
#   SIGN_PFX            the certificate and its key (PKCS#12)
#   SIGN_PASS_FILE      the file holding its password (read by osslsigncode,
#                       never put on a command line)
#   SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamp server
# Any failure leaves no zip, no SHA256SUMS and no staged exe behind.
# usage: make-dist.sh RELEASE_EXE OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
out=$2
stage="$out/Mirvashel"
zip="$out/Mirvashel.zip"
sums="$out/SHA256SUMS"

fail() {
  echo "make-dist: $*" >&2
  exit 1
}
finished=no
# shellcheck disable=SC2317 # run by the trap
remove_partial() { [ "$finished" = yes ] || rm -rf "$stage" "$zip" "$sums"; }
trap remove_partial EXIT

rm -rf "$stage" "$zip" "$sums"
if [ -n "${SIGN_PFX:-}" ]; then
  [ -f "$SIGN_PFX" ] || fail "no certificate file $SIGN_PFX (SIGN_PFX)"
  [ -n "${SIGN_PASS_FILE:-}" ] || fail "SIGN_PASS_FILE must name the file that holds the certificate's password"
  [ -r "$SIGN_PASS_FILE" ] || fail "cannot read the password file $SIGN_PASS_FILE (SIGN_PASS_FILE)"
fi
"$here/check-release.sh" "$exe"

mkdir -p "$stage/fonts"
if [ -n "${SIGN_PFX:-}" ]; then
  timestamp=()
  [ -z "${SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$SIGN_TIMESTAMP_URL")
  log=$(mktemp)
  if ! osslsigncode sign -pkcs12 "$SIGN_PFX" -readpass "$SIGN_PASS_FILE" -h sha256 \
      -n Mirvashel "${timestamp[@]}" -in "$exe" -out "$stage/Mirvashel.exe" >"$log" 2>&1; then
    # osslsigncode's first line that names a cause ("Wrong password?", the
    # time-stamp server's answer) is the one line worth showing.
    reason=$(grep -vE '^(Failed|Succeeded)$' "$log" | head -1)
    rm -f "$log"
    fail "signing failed: ${reason:-osslsigncode gave no reason}"
  fi
  rm -f "$log"
  signed=" (signed)"
else
  cp "$exe" "$stage/"
  signed=""
fi
# Windows' Notepad recognises UTF-8 by its byte order mark; lines end in CR LF.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$here/../app/res/ReadMe.txt"; } >"$stage/ReadMe.txt"
epoch=$(git -C "$here/.." log -1 --format=%ct 2>/dev/null || echo 315532800)
find "$stage" -exec touch -h -d "@$epoch" {} +
(cd "$out" && find Mirvashel | LC_ALL=C sort | TZ=UTC zip -q -X Mirvashel.zip -@)
(cd "$out" && sha256sum Mirvashel.zip Mirvashel/Mirvashel.exe >SHA256SUMS)
finished=yes
echo "Wrote $zip$signed:"
unzip -l "$zip"
cat "$sums"
