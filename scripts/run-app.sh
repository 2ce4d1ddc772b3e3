#!/usr/bin/env bash
# Starts Mirvashel under Wine in a staged folder. With a display, the window
# opens there. Without one, it runs on a virtual display, presses the install
# button, and saves screenshots before and after into build/screenshots, at
# 96 dpi and again at 144 and 192 dpi.
# usage: run-app.sh EXE
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
stage="$MIRVASHEL_BUILD/run"
"$here/stage-samples.sh" "$1" "$stage"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  ensure_wine_prefix
  cd "$stage" && exec wine ./Mirvashel.exe
fi

shots="$MIRVASHEL_BUILD/screenshots"
mkdir -p "$shots"
MIRVASHEL_STAGE="$stage" MIRVASHEL_SHOTS="$shots" MIRVASHEL_SCRIPTS="$here" "$here/with-display.sh" bash -c '
  set -euo pipefail
  source "$MIRVASHEL_SCRIPTS/wine-env.sh"
  cd "$MIRVASHEL_STAGE"
  wine ./Mirvashel.exe & app=$!
  win=$(wait_for_app_window) || { echo "The window did not appear." >&2; exit 1; }
  sleep 1
  import -window root -crop 640x480+320+272 "$MIRVASHEL_SHOTS/1-start.png"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # The install button sits at (187, 250) px in the client area, 123 x 33.
  xdotool mousemove --sync $((X + 1 + 187 + 60)) $((Y + 1 + 250 + 16)) click 1
  sleep 3
  import -window root -crop 640x480+320+272 "$MIRVASHEL_SHOTS/2-installed.png"
  kill $app 2>/dev/null || true
'
# The same at 150 and 200 % display scale, in the display prefix (its own
# Wine server, stopped afterwards). MIRVASHEL_RUN_FACE names another
# stand-in for "Traditional Arabic" ("none": Wine's own substitute).
MIRVASHEL_STAGE="$stage" MIRVASHEL_SHOTS="$shots" MIRVASHEL_SCRIPTS="$here" "$here/with-display.sh" bash -c '
  set -uo pipefail
  source "$MIRVASHEL_SCRIPTS/wine-env.sh"
  source "$MIRVASHEL_SCRIPTS/display-settings.sh"
  trap "wineserver -k >/dev/null 2>&1 || true" EXIT
  for dpi in 144 192; do
    use_display $dpi "${MIRVASHEL_RUN_FACE:-design}"
    shoot_app "$MIRVASHEL_STAGE" $dpi "$MIRVASHEL_SHOTS/$dpi-dpi"
  done
'
echo "Screenshots saved in $shots"
