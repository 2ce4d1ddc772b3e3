#!/usr/bin/env bash
# Runs a command with Wine 10 (for the 32-bit build, on this machine's route:
# scripts/i686-route.sh) in place of the host's Wine: the machine-wide root
# gets /proc and this checkout mounted at the same paths for the run, its
# wrappers come first on PATH, and the Wine prefix is one of its own (Wine 10
# upgrades a prefix it touches, so it never shares one with the host's Wine
# or the other route's). Both mounts are undone on exit. Where the machine
# can run no 32-bit code at all, not even emulated, it runs nothing and
# exits 77, which CTest reports as skipped (MIRVASHEL_REQUIRE_I686=1: 1, a
# failure). Needs root. usage: with-wow64.sh COMMAND [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wow64-env.sh"
# Already inside such a run (the tests' emulator under make test).
[ "${MIRVASHEL_WINE_ROOT:-}" = "$MIRVASHEL_WOW64_ROOT" ] && exec "$@"

if [ "$MIRVASHEL_I686_ROUTE" = none ]; then
  echo "Not run: $(i686_route_reason)." >&2
  [ "${MIRVASHEL_REQUIRE_I686:-0}" = 1 ] && exit 1
  exit 77
fi
root=$MIRVASHEL_WOW64_ROOT
[ -x "$MIRVASHEL_WOW64_BIN/wine" ] || { echo "No Wine 10 root; run scripts/deps.sh first." >&2; exit 1; }
if [ "$MIRVASHEL_I686_ROUTE" = emulated ]; then
  ensure_i386_handler || { echo "Cannot register qemu-i386 with binfmt_misc." >&2; exit 1; }
fi
checkout=$(cd "$here/.." && pwd)
build=${MIRVASHEL_BUILD:-$checkout/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)

mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"; done
}
trap cleanup EXIT
mount_in_root() { # mount arguments..., target inside the root
  local target=$root${!#}
  mkdir -p "$target"
  mount "${@:1:$#-1}" "$target" && mounted+=("$target")
}
mount_in_root -t proc proc /proc || exit 1
mount_in_root --bind "$checkout" "$checkout" || exit 1
case "$build/" in
  "$checkout"/*) ;;
  *) mount_in_root --bind "$build" "$build" || exit 1 ;;
esac

export PATH="$MIRVASHEL_WOW64_BIN:$PATH"
export MIRVASHEL_WINE_ROOT=$root MIRVASHEL_I686_ROUTE
prefix=$build/wineprefix-wow64
[ "$MIRVASHEL_I686_ROUTE" = emulated ] && prefix+=-emulated
export MIRVASHEL_WINEPREFIX=$prefix
"$@"
