#!/usr/bin/env bash
# Runs the test of the install report's size again on a 640 x 480 screen at
# 96 dpi and on a 1920 x 1080 screen at 192 dpi, each on a virtual display of
# its own, in the display prefix (scripts/display-settings.sh): the shared
# prefix and its Wine server are never touched.
# usage: check-report-fits.sh E2E_TEST_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
source "$here/display-settings.sh"
exe=$1
filter=--gtest_filter=EndToEndTest.AReportOfManyLongNamesFitsTheScreen

status=0
for run in "640x480x24 96" "1920x1080x24 192"; do
  read -r screen dpi <<<"$run"
  echo "screen $screen at $dpi dpi:"
  MIRVASHEL_SCREEN=$screen "$here/with-display.sh" bash -c '
    source "$0/wine-env.sh" && source "$0/display-settings.sh" && use_display "$1" design &&
      "$0/wine-exec.sh" "$2" "$3" --gtest_brief=1' "$here" "$dpi" "$exe" "$filter" || status=1
done
exit $status
