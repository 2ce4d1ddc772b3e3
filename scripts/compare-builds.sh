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
[ -n "${DISPLAY:-}" ] || exec "$here/with-display.sh" "$0" "$@"
out=$1 exe_a=$2 exe_b=$3
shift 3
[ -f "$exe_b" ] || { echo "No $exe_b: build it first." >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"

# The window's pixels once two looks a moment apart agree (the install run
# counts down; the panel appears at its end).
settled_shot() { # window, file
  local previous=""
  for _ in $(seq 50); do
    import -window "$1" "$2.tmp.png"
    local now
    now=$(identify -format '%#' "$2.tmp.png")
    [ "$now" = "$previous" ] && { mv "$2.tmp.png" "$2"; return 0; }
    previous=$now
    sleep 0.3
  done
  echo "The window did not settle." >&2
  return 1
}

shoot() { # exe, name
  local stage=$out/$2 app win=""
  mkdir -p "$stage/fonts"
  cp "$1" "$stage/Mirvashel.exe"
  cp "${fonts[@]}" "$stage/fonts/"
  # Not to ctest's pipe: a Wine service it starts would keep that open.
  (cd "$stage" && exec wine ./Mirvashel.exe) </dev/null >"$stage.log" 2>&1 & app=$!
  win=$(wait_for_app_window) || { echo "$2: the window did not appear." >&2; kill $app; return 1; }
  settled_shot "$win" "$out/$2-1-start.png"
  # The install button: at (187, 250) px in the client area, 123 x 33.
  xdotool mousemove --window "$win" --sync $((187 + 60)) $((250 + 16)) click 1
  sleep 0.5
  settled_shot "$win" "$out/$2-2-installed.png"
  kill $app 2>/dev/null || true
  wait $app 2>/dev/null || true
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
