#!/usr/bin/env bash
# Chooses how this machine runs the release (i686) build's tests and says so
# in one line:
#   native    the machine executes 32-bit x86 code: Wine 10's new WoW64;
#   emulated  it does not (some virtual machines run none at all): Wine 10's
#             32-bit build, its 32-bit processes run by qemu-i386 through
#             binfmt_misc (a handler of ours, registered here);
#   none      not even that can be set up: the tests that run the exe are
#             reported as skipped, unless MIRVASHEL_REQUIRE_I686=1.
# The answer is written to $MIRVASHEL_WOW64_CACHE/route for the scripts that
# run the tests later (scripts/wow64-env.sh reads it); --recorded prints
# that answer without asking again. Needs root for the emulated route.
# usage: i686-route.sh [--quiet | --recorded]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wow64-env.sh"
say() { echo "i686 release tests: $MIRVASHEL_I686_ROUTE ($(i686_route_reason))"; }
if [ "${1:-}" = --recorded ]; then say; exit 0; fi
build=${MIRVASHEL_BUILD:-$here/../build}

# The question Wine's WoW64 asks of the CPU, asked by a tiny static program:
# a far return into the 32-bit code segment and back. Not "does an exe start
# under Wine": a broken Wine root must fail the tests, not change the route.
probe=$build/probe/runs-32bit-code
source_file=$here/../tools/probe32/runs-32bit-code.c
if [ ! -x "$probe" ] || [ "$source_file" -nt "$probe" ]; then
  mkdir -p "$(dirname "$probe")"
  cc -O2 -static -no-pie -o "$probe" "$source_file"
fi

if [ "$("$probe" 2>/dev/null)" = yes ]; then
  route=native
  why="this machine executes 32-bit x86 code: Wine 10's own WoW64"
elif binfmt_ready; then
  route=emulated
  why="this machine executes no 32-bit x86 code (the switch to the 32-bit code segment faults): Wine 10's 32-bit build under qemu-i386"
else
  route=none
  why="this machine executes no 32-bit x86 code and binfmt_misc cannot be used to emulate it: the tests that run the release exe are skipped (MIRVASHEL_REQUIRE_I686=1 fails them instead)"
fi

mkdir -p "$MIRVASHEL_WOW64_CACHE"
printf '%s\n%s\n' "$route" "$why" >"$MIRVASHEL_WOW64_CACHE/route.new"
mv "$MIRVASHEL_WOW64_CACHE/route.new" "$MIRVASHEL_WOW64_CACHE/route"
MIRVASHEL_I686_ROUTE=$route
[ "${1:-}" = --quiet ] || say
