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
# keeps it open, and ctest would wait for that process to end. It is shown
# as it grows, so a run that ctest kills for taking too long has already
# shown the test case it hung in.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 &
program=$!
tail -n +1 -s 0.1 --pid=$program -f "$output" &
shown=$!
status=0
wait $program || status=$?
wait $shown # tail prints what is left once the program has ended
exit $status
