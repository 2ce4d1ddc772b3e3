#!/usr/bin/env bash
# Starts Mirvashel under Wine in a staged folder. With a display, the window
# opens there. Without one, it runs on a virtual display at 96, 144 and 192
# dpi (scripts/display-settings.sh), presses the install button each time and
# saves screenshots before and after into build/screenshots.
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
# MIRVASHEL_RUN_FACE names another stand-in for "Traditional Arabic"
# ("none": Wine's own substitute).
source "$here/display-settings.sh"
"$here/with-display.sh" bash -c '
  set -uo pipefail
  source "$0/wine-env.sh" && source "$0/display-settings.sh" && source "$0/app-shots.sh"
  status=0
  for dpi in 96 144 192; do
    use_display $dpi "${MIRVASHEL_RUN_FACE:-design}"
    shoot_app "$1" $dpi "$2/$dpi-dpi" || status=1
  done
  exit $status
' "$here" "$stage" "$shots"
echo "Screenshots saved in $shots"
