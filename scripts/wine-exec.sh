#!/usr/bin/env bash
# Runs one Windows program under Wine (the tests' emulator). Without a
# display it brings up its own virtual one.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "${BASH_SOURCE[0]}")/with-display.sh" wine "$@"
fi
ensure_wine_prefix
exec wine "$@"
