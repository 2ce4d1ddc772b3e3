# Sourced after wine-env.sh: the one way to run at another display scale.
# A Wine prefix of its own (beside the one the tests share) whose screen DPI
# and stand-in for "Traditional Arabic" a run may change at will. Every run
# sets both before it starts anything, so a run that failed half-way leaves
# nothing that another run inherits, and the shared prefix always stays at
# 96 dpi. Exported, so that the scripts a run calls use it too.
case "$WINEPREFIX" in
  *-scale) ;;
  *) export WINEPREFIX="$WINEPREFIX-scale" ;;
esac
export MIRVASHEL_WINEPREFIX="$WINEPREFIX"

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
  restart_wine_server
}
