#!/usr/bin/env bash
# Runs one Windows program under Wine (the tests' emulator). Without a
# display it brings up its own virtual one.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "${BASH_SOURCE[0]}")/with-display.sh" wine "$@"
fi
ensure_wine_prefix
# The output goes through a file, not straight to ctest: a Wine service
# started by the program (the desktop process, when the last one closed)
# keeps it open, and ctest would wait for that process to end.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1
status=$?
cat "$output"
exit $status
