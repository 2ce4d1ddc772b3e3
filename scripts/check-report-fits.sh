#!/usr/bin/env bash
# Runs the test of the install report's size again on a 640 x 480 screen at
# 96 dpi and on a 1920 x 1080 screen at 192 dpi, each on a virtual display
# and with a Wine server of its own. The prefix's DPI takes effect only in a
# new Wine server, so the caller's server (the test suite's) is stopped for
# the while and started again afterwards. The prefix is put back to 96 dpi
# even when a run fails; should this script be killed outright, the next
# run of any script puts it back (wine-env.sh finds the flag file and
# applies the prefix settings, which name 96 dpi, again).
# usage: check-report-fits.sh E2E_TEST_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
exe=$1
filter=--gtest_filter=EndToEndTest.AReportOfManyLongNamesFitsTheScreen

set_dpi() { # dpi; applied by the next Wine server
  local reg="$WINEPREFIX/drive_c/mirvashel-dpi.reg"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\n"LogPixels"=dword:%08x\n' \
    "$1" "$1" >"$reg"
  wine regedit /S 'C:\mirvashel-dpi.reg' >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1
  wineserver -w
}

# Inside scripts/with-display.sh (the test suite) a persistent server ran.
restore() {
  wineserver -k >/dev/null 2>&1
  unset MIRVASHEL_DPI_RUN
  ensure_settings
  if [ -n "${DISPLAY:-}" ]; then
    sh -c "wineserver -p </dev/null >/dev/null 2>&1" && wineboot </dev/null >/dev/null 2>&1
  fi
}
trap restore EXIT
export MIRVASHEL_DPI_RUN=1
touch "$WINEPREFIX/.mirvashel-dpi-changed"

status=0
for run in "640x480x24 96" "1920x1080x24 192"; do
  read -r screen dpi <<<"$run"
  set_dpi "$dpi"
  echo "screen $screen at $dpi dpi:"
  MIRVASHEL_SCREEN=$screen "$here/with-display.sh" "$here/wine-exec.sh" "$exe" "$filter" --gtest_brief=1 || status=1
done
exit $status
