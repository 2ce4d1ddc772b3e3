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
#   SIGN_TIMESTAMP_TIMEOUT  seconds one try at signing with a time stamp may
#                       take (default 20; three tries at most)
# A certificate that is expired or not yet valid is refused before signing.
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

# The signer's certificate (the one beside the key; older files may need
# OpenSSL's legacy ciphers) must be valid now: Windows rejects a signature
# made with an expired or not yet valid certificate, whatever osslsigncode says.
check_certificate_dates() {
  local cert now from to
  cert=$(openssl pkcs12 -in "$SIGN_PFX" -passin "file:$SIGN_PASS_FILE" -nokeys -clcerts 2>/dev/null ||
    openssl pkcs12 -legacy -in "$SIGN_PFX" -passin "file:$SIGN_PASS_FILE" -nokeys -clcerts 2>/dev/null) ||
    fail "cannot open the certificate $SIGN_PFX with the password in $SIGN_PASS_FILE (wrong password?)"
  from=$(openssl x509 -noout -startdate -dateopt iso_8601 <<<"$cert" 2>/dev/null) ||
    fail "no certificate beside the key in $SIGN_PFX"
  from=${from#notBefore=}
  to=$(openssl x509 -noout -enddate -dateopt iso_8601 <<<"$cert")
  to=${to#notAfter=}
  now=$(date -u +%s)
  if [ "$(date -u -d "$from" +%s)" -gt "$now" ] || ! openssl x509 -noout -checkend 0 <<<"$cert" >/dev/null; then
    fail "the certificate in $SIGN_PFX is valid from $from to $to, not now ($(date -u '+%Y-%m-%d %H:%M:%SZ'))"
  fi
}

rm -rf "$stage" "$zip" "$sums"
# A password file or time-stamp server without a certificate is a signing
# that lost its certificate on the way, not a wish for an unsigned release.
if [ -z "${SIGN_PFX:-}" ] && [ -n "${SIGN_PASS_FILE:-}${SIGN_TIMESTAMP_URL:-}" ]; then
  fail "SIGN_PFX is empty, but SIGN_PASS_FILE or SIGN_TIMESTAMP_URL asks for a signed release"
fi
if [ -n "${SIGN_PFX:-}" ]; then
  [ -f "$SIGN_PFX" ] || fail "no certificate file $SIGN_PFX (SIGN_PFX)"
  [ -n "${SIGN_PASS_FILE:-}" ] || fail "SIGN_PASS_FILE must name the file that holds the certificate's password"
  [ -r "$SIGN_PASS_FILE" ] || fail "cannot read the password file $SIGN_PASS_FILE (SIGN_PASS_FILE)"
  check_certificate_dates
fi
"$here/check-release.sh" "$exe"

mkdir -p "$stage/fonts"
if [ -n "${SIGN_PFX:-}" ]; then
  log=$(mktemp)
  sign() { # command before osslsigncode, its options...
    "$@" -pkcs12 "$SIGN_PFX" -readpass "$SIGN_PASS_FILE" -h sha256 -n Mirvashel \
      -in "$exe" -out "$stage/Mirvashel.exe" >"$log" 2>&1
  }
  result=0
  if [ -z "${SIGN_TIMESTAMP_URL:-}" ]; then
    sign osslsigncode sign || result=$?
  else
    # osslsigncode waits for the server's answer without end: each try is
    # cut off, and three that fail fail the release.
    seconds=${SIGN_TIMESTAMP_TIMEOUT:-20}
    for _ in 1 2 3; do
      rm -f "$stage/Mirvashel.exe"
      result=0
      sign timeout -k 5 "$seconds" osslsigncode sign -ts "$SIGN_TIMESTAMP_URL" || result=$?
      [ "$result" != 0 ] || break
    done
  fi
  if [ "$result" != 0 ]; then
    # osslsigncode's first line that names a cause ("Wrong password?", the
    # time-stamp server's answer) is the one line worth showing; its output
    # may start with a blank line, and its progress lines name none.
    reason=$(grep -vE '^(Failed|Succeeded|Connecting to .*)$' "$log" | grep -m1 '[^[:space:]]' || true)
    rm -f "$log"
    # timeout(1) exits 124 when it cut the try off, 137 when it had to kill it.
    if [ "$result" = 124 ] || [ "$result" = 137 ]; then
      fail "signing failed: the time-stamp server $SIGN_TIMESTAMP_URL did not answer within $seconds s, three times"
    fi
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
