# Sourced after wine-env.sh: starts a staged Mirvashel.exe, waits for its
# window, checks its size, presses the install button and takes screenshots
# of the window before and after. Needs a display.

# The install button's middle in the client area at DPI, from its place in
# the design (2805, 3750 twips; 1845 x 495).
install_button_middle() { # dpi
  echo $(( (2 * 2805 + 1845) * $1 / 2880 )) $(( (2 * 3750 + 495) * $1 / 2880 ))
}

# Saves the window's pixels once two looks a moment apart agree (the first
# paint; an install run counts down and shows its panel at the end).
settled_shot() { # window, file
  local previous="" now
  for _ in $(seq 50); do
    import -window "$1" "$2.tmp.png"
    now=$(identify -format '%#' "$2.tmp.png")
    [ "$now" = "$previous" ] && { mv "$2.tmp.png" "$2"; return 0; }
    previous=$now
    sleep 0.3
  done
  echo "The window did not settle." >&2
  return 1
}

# shoot_app STAGE DPI SHOTS [COMMAND...]: starts the program staged in
# STAGE, checks that its window has the outer size of 8000 x 5000 twips at
# DPI, runs COMMAND while the window is up, saves SHOTS-1-start.png and,
# after a press of the install button, SHOTS-2-installed.png, and ends the
# program.
shoot_app() {
  local stage=$1 dpi=$2 shots=$3 app win status=0
  shift 3
  # Not to the caller's pipes (ctest's): a Wine service the program starts
  # would keep them open.
  (cd "$stage" && exec wine ./Mirvashel.exe) </dev/null >"$shots.log" 2>&1 & app=$!
  win=$(wait_for_app_window) || { echo "$dpi dpi: the window did not appear." >&2; kill $app; return 1; }
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win")"
  local want_w=$(( (8000 * dpi + 720) / 1440 )) want_h=$(( (5000 * dpi + 720) / 1440 ))
  if [ "$WIDTH" != "$want_w" ] || [ "$HEIGHT" != "$want_h" ]; then
    echo "$dpi dpi: window ${WIDTH}x$HEIGHT, expected ${want_w}x$want_h" >&2
    status=1
  fi
  if [ $# -gt 0 ]; then "$@" || status=1; fi
  settled_shot "$win" "$shots-1-start.png" || status=1
  xdotool mousemove --window "$win" --sync $(install_button_middle "$dpi") click 1
  sleep 0.5
  settled_shot "$win" "$shots-2-installed.png" || status=1
  kill $app 2>/dev/null || true
  wait $app 2>/dev/null || true
  return $status
}
