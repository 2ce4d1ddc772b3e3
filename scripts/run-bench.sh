#!/usr/bin/env bash
# Runs every benchmark driver (a program named bench_*.exe) found under
# BUILD_DIR/bench, each under Wine from its own folder, where it finds the
# programs it starts. Those programs are named otherwise and are not run.
# Without a display it brings up its own virtual one.
# usage: run-bench.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
ensure_wine_prefix

mapfile -t drivers < <(find "$1/bench" -type f -name 'bench_*.exe' | sort)
[ ${#drivers[@]} -gt 0 ] || { echo "No benchmark drivers under $1/bench" >&2; exit 1; }

status=0
for driver in "${drivers[@]}"; do
  echo "== $(basename "$driver" .exe)"
  (cd "$(dirname "$driver")" && wine "./$(basename "$driver")") || status=1
  echo
done
exit $status
