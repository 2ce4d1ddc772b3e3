#!/usr/bin/env bash
# Runs a command with a private virtual X display and a persistent Wine
# server, and stops both afterwards. Wine creates no window without a
# display; the persistent server makes each Wine process start in a fraction
# of a second. MIRVASHEL_SCREEN chooses the screen (default 1280x1024x24).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
ensure_wine_prefix

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${MIRVASHEL_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display"

# Only the run that started the Wine server stops it: another run that uses
# the same prefix at the same time keeps its programs.
own_server=no
cleanup() {
  [ "$own_server" = yes ] && { wineserver -k >/dev/null 2>&1 || true; }
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

sh -c "wineserver -p </dev/null >/dev/null 2>&1" && own_server=yes
wineboot </dev/null >/dev/null 2>&1

"$@"
