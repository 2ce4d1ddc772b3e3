# Sourced after wine-env.sh: a Wine prefix of its own (beside the one the
# tests share) whose screen DPI and stand-in for "Traditional Arabic" a run
# may change at will. Every run sets both before it starts anything, so a
# run that failed half-way leaves nothing that another run inherits, and
# the shared prefix always stays at 96 dpi.
export WINEPREFIX="$WINEPREFIX-scale"

# use_display DPI FACE: FACE is "design" (the stand-in the shared prefix
# uses), "none" (no stand-in: Wine substitutes as Windows would) or a face
# name. Restarts the prefix's Wine server, which reads the DPI on start.
use_display() {
  local dpi=$1 face=$2 value
  case "$face" in
    design) value='"KacstBook"' ;;
    none) value='-' ;;
    *) value="\"$face\"" ;;
  esac
  ensure_wine_prefix
  wineserver -k >/dev/null 2>&1 || true
  local reg="$WINEPREFIX/drive_c/mirvashel-display.reg"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"Traditional Arabic"=%s\n' \
    "$dpi" "$dpi" "$value" >"$reg"
  wine regedit /S 'C:\mirvashel-display.reg' >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  sh -c "wineserver -p </dev/null >/dev/null 2>&1" || true
  wineboot </dev/null >/dev/null 2>&1
}

# shoot_app STAGE DPI SHOT_PREFIX [COMMAND...]: starts the program staged
# in STAGE, checks that its window has the outer size of 8000 x 5000 twips
# at DPI, runs COMMAND while the window is up, saves screenshots before and
# after a press of the install button, and ends the program.
shoot_app() {
  local stage=$1 dpi=$2 shots=$3 app win="" status=0
  shift 3
  (cd "$stage" && exec wine ./Mirvashel.exe) </dev/null >"$shots.log" 2>&1 & app=$!
  win=$(wait_for_app_window) || { echo "$dpi dpi: the window did not appear." >&2; kill $app; return 1; }
  sleep 1
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win")"
  local want_w=$(( (8000 * dpi + 720) / 1440 )) want_h=$(( (5000 * dpi + 720) / 1440 ))
  if [ "$WIDTH" != "$want_w" ] || [ "$HEIGHT" != "$want_h" ]; then
    echo "$dpi dpi: window ${WIDTH}x$HEIGHT, expected ${want_w}x$want_h" >&2
    status=1
  fi
  if [ $# -gt 0 ]; then "$@" || status=1; fi
  import -window "$win" "$shots-1-start.png"
  # The install button: at (187, 250) px of the client area at 96 dpi, 123 x 33.
  xdotool mousemove --window "$win" --sync $(( (187 + 60) * dpi / 96 )) $(( (250 + 16) * dpi / 96 )) click 1
  sleep 2
  import -window "$win" "$shots-2-installed.png"
  kill $app 2>/dev/null || true
  wait $app 2>/dev/null || true
  return $status
}
