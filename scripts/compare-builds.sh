#!/usr/bin/env bash
# Starts two builds of Mirvashel.exe one after the other under the same Wine
# from folders laid out alike (the given fonts in "fonts"), takes a
# screenshot of the main window at start and after an install run, and
# checks that both builds drew the same pixels. The screenshots stay in
# OUT_DIR. Needs a display and the Wine environment (scripts/with-display.sh).
# usage: compare-builds.sh OUT_DIR EXE_A EXE_B FONT...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
source "$here/app-shots.sh"
[ -n "${DISPLAY:-}" ] || exec "$here/with-display.sh" "$0" "$@"
out=$1 exe_a=$2 exe_b=$3
shift 3
[ -f "$exe_b" ] || { echo "No $exe_b: build it first." >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"

# The two builds' stages differ only in the exe.
shoot() { # exe, name
  local stage=$out/$2
  mkdir -p "$stage/fonts"
  cp "$1" "$stage/Mirvashel.exe"
  cp "${fonts[@]}" "$stage/fonts/"
  shoot_app "$stage" 96 "$out/$2"
}

fonts=("$@")
shoot "$exe_a" a
shoot "$exe_b" b

status=0
for step in 1-start 2-installed; do
  differing=$(compare -metric AE "$out/a-$step.png" "$out/b-$step.png" null: 2>&1 || true)
  if [ "$differing" = 0 ]; then
    echo "$step: identical ($(identify -format '%wx%h' "$out/a-$step.png"))"
  else
    echo "$step: $differing pixels differ" >&2
    status=1
  fi
done
exit $status
