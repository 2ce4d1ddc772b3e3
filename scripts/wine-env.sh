# Sourced by the scripts that run Windows programs: one Wine prefix inside
# the build tree, created once, quiet and without install dialogs.
: "${MIRVASHEL_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
# A run under another Wine (scripts/with-wow64.sh) names a prefix of its own.
export WINEPREFIX="${MIRVASHEL_WINEPREFIX:-$MIRVASHEL_BUILD/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}" # quiet unless a run asks for channels (warn+heap)
# MIRVASHEL_DLL_OVERRIDES adds a test's own (usp10=n,b: Windows' search order).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${MIRVASHEL_DLL_OVERRIDES:+;$MIRVASHEL_DLL_OVERRIDES}"

# Registry settings of the prefix: 96 dpi (another scale runs in a prefix of
# its own: scripts/display-settings.sh); no window manager round trips under Xvfb;
# a crashing program gets a backtrace on stderr and ends at once, instead of
# a crash dialog that waits for a click nobody gives (a hung test run); and
# Arabic faces that Wine shapes correctly. "Traditional Arabic" does not
# exist on Linux; KacstBook, a Naskh of close widths and line height, stands
# in for it, so the completion message fits its box as on Windows (Noto Sans
# Arabic UI cuts it after three lines, Amiri after one; Noto Naskh Arabic
# and Scheherazade are drawn with broken joining by Wine's shaper). Wine's
# own Tahoma has no Arabic letters, so it falls back to Noto Sans Arabic UI.
prefix_settings() {
  cat <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Software\Wine\Fonts]
"LogPixels"=dword:00000060

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Traditional Arabic"="KacstBook"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):4e,00,6f,00,74,00,6f,00,53,00,61,00,6e,00,73,00,41,00,72,00,61,00,62,00,69,00,63,00,55,00,49,00,2d,00,52,00,65,00,67,00,75,00,6c,00,61,00,72,00,2e,00,74,00,74,00,66,00,2c,00,4e,00,6f,00,74,00,6f,00,20,00,53,00,61,00,6e,00,73,00,20,00,41,00,72,00,61,00,62,00,69,00,63,00,20,00,55,00,49,00,00,00,00,00
REG
}

# Prints the X window of a running Mirvashel.exe once it is visible,
# waiting up to 20 s; fails when none appears.
wait_for_app_window() {
  local win
  for _ in $(seq 200); do
    win=$(xdotool search --onlyvisible --class mirvashel.exe 2>/dev/null | head -1) && [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  return 1
}

ensure_wine_prefix() {
  ensure_settings
  # Drive R: is a scratch folder of the build tree: tests put a program's
  # folders at the root of a drive there.
  mkdir -p "$MIRVASHEL_BUILD/drive-r"
  ln -sfn "$MIRVASHEL_BUILD/drive-r" "$WINEPREFIX/dosdevices/r:"
}

ensure_settings() {
  local marker="$WINEPREFIX/.mirvashel-settings.reg"
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$(prefix_settings)" ]; then return 0; fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (once)..." >&2
    mkdir -p "$MIRVASHEL_BUILD"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Debian's Wine does not find its own fonts (Tahoma among them).
    cp "${MIRVASHEL_WINE_ROOT:-}"/usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  local reg="$WINEPREFIX/drive_c/mirvashel-settings.reg"
  prefix_settings >"$reg"
  wine regedit /S 'C:\mirvashel-settings.reg' >/dev/null 2>&1
  wineserver -w
  cp "$reg" "$marker"
}

# Stops the prefix's Wine server (and its programs) and starts a persistent
# one, which reads the prefix's registry, its DPI among it, afresh.
restart_wine_server() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  sh -c "wineserver -p </dev/null >/dev/null 2>&1" || true
  wineboot </dev/null >/dev/null 2>&1
}
