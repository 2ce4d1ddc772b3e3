#!/usr/bin/env bash
# Signs a release the way a maintainer would, with a throwaway self-signed
# certificate, and checks the result: the signature verifies against that
# certificate and breaks when one byte changes; the zip and SHA256SUMS hold
# the signed exe; it keeps its resources and version record and still opens
# its window under Wine; a wrong password, a missing certificate, one that is
# expired or not yet valid, a password file without a certificate, and a
# time-stamp server that refuses or never answers each stop make-dist.sh
# with one line that names the cause, and leave nothing behind. Only the
# window check needs Wine 10: where this machine cannot run the release at
# all, it is skipped and said, and the rest still runs. WORK_DIR must be
# visible to Wine (inside the build tree).
# usage: check-signing.sh WORK_DIR RELEASE_EXE
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$1
exe=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"

status=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "  ok    $what"; else echo "  FAIL  $what" >&2; status=1; fi
}

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj "/CN=Mirvashel test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
printf 'a throwaway password\n' >pass.txt
openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.pfx -passout file:pass.txt
# The same key in certificates of other dates (openssl req cannot date one
# in the past): NAME.pfx valid from START to END.
dated_pfx() { # name, start, end
  : >index.txt
  echo 01 >serial.txt
  printf '%s\n' '[ca]' 'default_ca = dated' '[dated]' 'database = index.txt' 'new_certs_dir = .' \
    'serial = serial.txt' 'default_md = sha256' 'policy = any' 'x509_extensions = signer' \
    '[any]' 'commonName = supplied' '[signer]' 'extendedKeyUsage = codeSigning' >ca.cnf
  openssl req -new -key key.pem -subj "/CN=Mirvashel test signer" -out "$1.csr"
  openssl ca -batch -config ca.cnf -selfsign -keyfile key.pem -in "$1.csr" -startdate "$2" -enddate "$3" \
    -out "$1.pem" 2>/dev/null
  openssl pkcs12 -export -inkey key.pem -in "$1.pem" -out "$1.pfx" -passout file:pass.txt
}
dated_pfx expired 20200101000000Z 20200102000000Z
dated_pfx future 20400101000000Z 20410101000000Z

verifies() { osslsigncode verify -CAfile cert.pem -in "$1" >/dev/null 2>&1; }
zip_holds_exe() { unzip -p dist/Mirvashel.zip Mirvashel/Mirvashel.exe | cmp -s - "$1"; }

SIGN_PFX=cert.pfx SIGN_PASS_FILE=pass.txt "$here/make-dist.sh" "$exe" dist >sign.log 2>&1 ||
  { cat sign.log >&2; exit 1; }
signed=dist/Mirvashel/Mirvashel.exe
check "the signature verifies against the test certificate" verifies "$signed"
check "the signature is SHA-256" grep -q 'Message digest algorithm *: SHA256' \
  <(osslsigncode verify -CAfile cert.pem -in "$signed" 2>&1)
check "the zip holds the signed exe" zip_holds_exe "$signed"
check "SHA256SUMS matches the zip and the signed exe" sh -c 'cd dist && sha256sum --quiet -c SHA256SUMS'
check "the signed exe keeps its resources and version record" \
  sh -c '"$0" "$1" >release-check.log' "$here/check-release.sh" "$signed"

cp "$signed" tampered.exe
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 1; open(sys.argv[1], "wb").write(b)' tampered.exe
check "one changed byte breaks the signature" sh -c '! osslsigncode verify -CAfile cert.pem -in tampered.exe >/dev/null 2>&1'

# The signed exe starts and shows its window, under the release's Wine.
mkdir -p run/fonts
cp "$signed" run/
shown=0
"$here/with-wow64.sh" "$here/with-display.sh" bash -c '
  source "$0/wine-env.sh"
  (cd run && exec wine ./Mirvashel.exe) </dev/null >run.log 2>&1 &
  app=$!
  window=$(wait_for_app_window) || window=""
  kill $app 2>/dev/null
  wait $app 2>/dev/null
  [ -n "$window" ]' "$here" 2>window.err || shown=$?
if [ "$shown" = 77 ]; then
  echo "  skip  the signed exe shows its window under Wine: $(cat window.err)"
else
  check "the signed exe shows its window under Wine" test "$shown" = 0
fi

# Failures: one line, and no zip, sums or staged exe left behind. The first
# run leaves a complete release, which a failed one must also clear away.
fails_cleanly() { # description, words the line must hold, environment for make-dist.sh...
  local what=$1 cause=$2
  shift 2
  if env "$@" "$here/make-dist.sh" "$exe" dist >fail.out 2>fail.err; then
    echo "  FAIL  $what: make-dist.sh succeeded" >&2
    status=1
    return
  fi
  check "$what: one line ($(cat fail.err))" test "$(grep -c . fail.err)" = 1
  check "$what: the line names the cause" grep -qi -- "$cause" fail.err
  check "$what: nothing left behind" test -z "$(ls -A dist)"
}
# A time-stamp server on this machine that takes the connection and never
# answers; it goes by itself after a while. The first line it prints is its port.
silent_server() {
  exec python3 -c '
import socket, time
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(8)
s.settimeout(0.5)
print(s.getsockname()[1], flush=True)
held, end = [], time.time() + 40
while time.time() < end:
    try:
        held.append(s.accept()[0])
    except socket.timeout:
        pass
'
}
printf 'not the password\n' >wrong.txt
fails_cleanly "wrong password" "wrong password" SIGN_PFX=cert.pfx SIGN_PASS_FILE=wrong.txt
SIGN_PFX=cert.pfx SIGN_PASS_FILE=pass.txt "$here/make-dist.sh" "$exe" dist >/dev/null 2>&1
fails_cleanly "missing certificate" "missing.pfx" SIGN_PFX=missing.pfx SIGN_PASS_FILE=pass.txt
fails_cleanly "expired certificate" "2020-01-02" SIGN_PFX=expired.pfx SIGN_PASS_FILE=pass.txt
fails_cleanly "certificate not yet valid" "2040-01-01" SIGN_PFX=future.pfx SIGN_PASS_FILE=pass.txt
fails_cleanly "empty SIGN_PFX beside a password file" "SIGN_PFX is empty" SIGN_PFX= SIGN_PASS_FILE=pass.txt

exec {server}< <(silent_server)
server_pid=$!
read -r port <&$server
started=$(date +%s)
fails_cleanly "a time-stamp server that never answers" "did not answer within 2 s" SIGN_PFX=cert.pfx \
  SIGN_PASS_FILE=pass.txt SIGN_TIMESTAMP_URL="http://127.0.0.1:$port" SIGN_TIMESTAMP_TIMEOUT=2
check "a time-stamp server that never answers: given up within 20 s" test $(($(date +%s) - started)) -le 20
kill "$server_pid" 2>/dev/null || true # gone by itself if make-dist.sh waited for it
exec {server}<&-
# Its port, now closed, refuses the connection: osslsigncode's reason is shown.
fails_cleanly "a time-stamp server that refuses" "Failed to get data from http://127.0.0.1:$port" \
  SIGN_PFX=cert.pfx SIGN_PASS_FILE=pass.txt SIGN_TIMESTAMP_URL="http://127.0.0.1:$port"
exit $status
