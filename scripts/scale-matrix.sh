#!/usr/bin/env bash
# Runs the scale tests once per display setting, each in the display prefix
# (scripts/display-settings.sh) set to that DPI and stand-in face, and with
# SHOOT also the program itself, checking its window's size and saving
# screenshots into SHOTS_DIR. Needs a display (scripts/with-display.sh).
# usage: scale-matrix.sh TESTS_EXE APP_EXE SHOTS_DIR DPI:FACE[:shoot]...
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
source "$here/display-settings.sh"
source "$here/app-shots.sh"
tests=$1 app=$2 out=$3
shift 3
mkdir -p "$out"
stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage/fonts"
cp "$app" "$stage/Mirvashel.exe"
# One font to install, so that the shot after the install shows the
# completion panel itself, not the message that the folder holds none.
cp "$(dirname "$tests")/testfonts/MirvTest0000.ttf" "$stage/fonts/"

# The prefix's server is this script's alone: stop it however the run ends.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Whether the running program declared itself DPI-aware, asked from the
# tests' process.
ask_program() {
  MIRVASHEL_PROGRAM_RUNNING=1 MIRVASHEL_EXPECT_DPI=$1 wine "$tests" --gtest_brief=1 \
    --gtest_filter='RunningProgram.*' >"$out/program.log" 2>&1
  local status=$?
  cat "$out/program.log"
  return $status
}
failed=()
for setting in "$@"; do
  IFS=: read -r dpi face shoot <<<"$setting"
  echo "== $dpi dpi, Traditional Arabic: $face"
  use_display "$dpi" "$face"
  # Not to ctest's pipe: a Wine service started by the program keeps it open.
  MIRVASHEL_EXPECT_DPI=$dpi wine "$tests" --gtest_brief=1 >"$out/run.log" 2>&1 || failed+=("$setting")
  cat "$out/run.log"
  if [ "$shoot" = shoot ]; then
    shoot_app "$stage" "$dpi" "$out/$dpi-${face// /_}" ask_program "$dpi" || failed+=("$setting (program)")
  fi
done
[ ${#failed[@]} -eq 0 ] || { printf 'failed: %s\n' "${failed[@]}" >&2; exit 1; }
