# Sourced: where the machine-wide Wine 10 root of this machine's route lives
# (scripts/i686-route.sh chooses the route and records it in the cache). The
# roots sit outside every checkout so fresh clones and CI on the same machine
# reuse them; the wrappers in each bin folder stay outside the root itself,
# which sees the checkout.
#   native    $MIRVASHEL_WOW64_CACHE/root: 64-bit Wine with the 32-bit PE
#             DLLs beside it (new WoW64, 32-bit code run by the CPU);
#   emulated  $MIRVASHEL_WOW64_CACHE/emulated/root: Wine's 64- and 32-bit
#             builds side by side (32-bit programs in 32-bit Linux processes)
#             and qemu-i386, which runs those processes.
MIRVASHEL_WOW64_CACHE=/var/cache/mirvashel-wine10
MIRVASHEL_I686_ROUTE=${MIRVASHEL_I686_ROUTE:-$(head -1 "$MIRVASHEL_WOW64_CACHE/route" 2>/dev/null || echo native)}
case $MIRVASHEL_I686_ROUTE in
  emulated) MIRVASHEL_WOW64_HOME=$MIRVASHEL_WOW64_CACHE/emulated ;;
  *) MIRVASHEL_WOW64_HOME=$MIRVASHEL_WOW64_CACHE ;;
esac
MIRVASHEL_WOW64_ROOT=$MIRVASHEL_WOW64_HOME/root
MIRVASHEL_WOW64_BIN=$MIRVASHEL_WOW64_HOME/bin
MIRVASHEL_WOW64_STAMP=$MIRVASHEL_WOW64_HOME/recipe
# Why the route was taken, as scripts/i686-route.sh found it.
i686_route_reason() { sed -n 2p "$MIRVASHEL_WOW64_CACHE/route" 2>/dev/null; }

# binfmt_misc, mounted if it is not yet: false where it cannot be used.
binfmt_ready() {
  local dir=/proc/sys/fs/binfmt_misc
  [ -w "$dir/register" ] || mount -t binfmt_misc binfmt_misc "$dir" 2>/dev/null || true
  [ -w "$dir/register" ]
}

# Has the kernel hand every i386 Linux program to the emulated root's
# qemu-i386. The F flag opens the emulator now, so it is found from inside
# the root as well.
MIRVASHEL_BINFMT_ENTRY=/proc/sys/fs/binfmt_misc/mirvashel-i386
ensure_i386_handler() {
  local qemu=$MIRVASHEL_WOW64_ROOT/usr/bin/qemu-i386
  binfmt_ready || return 1
  if [ -e "$MIRVASHEL_BINFMT_ENTRY" ]; then
    grep -qx enabled "$MIRVASHEL_BINFMT_ENTRY" && grep -qx "interpreter $qemu" "$MIRVASHEL_BINFMT_ENTRY" && return 0
    echo -1 >"$MIRVASHEL_BINFMT_ENTRY"
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":mirvashel-i386:M::$magic:$mask:$qemu:F" >/proc/sys/fs/binfmt_misc/register
}
