#!/usr/bin/env bash
# Builds, once per machine, the Debian trixie root with Wine 10 that runs the
# 32-bit release build on this machine's route (scripts/wow64-env.sh):
# native, Wine's "new WoW64" mode, which runs 32-bit Windows programs with
# 64-bit Linux code only (Debian 12's wine32 needs a kernel that runs 32-bit
# Linux code, which these machines may lack); emulated, Wine's 32-bit build
# beside its 64-bit one, with qemu-i386 to run its 32-bit Linux processes
# where the CPU runs no 32-bit code at all. Does nothing when the root
# matches this recipe (its version below and the font list); rebuilds it
# when either changed. Needs root. usage: wow64-root.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wow64-env.sh"
[ "$MIRVASHEL_I686_ROUTE" = none ] && exit 0
cache=$MIRVASHEL_WOW64_HOME
root=$MIRVASHEL_WOW64_ROOT
# Raise whenever the steps below change what the root holds.
case $MIRVASHEL_I686_ROUTE in
  native) recipe_version=2 ;;
  emulated) recipe_version=emulated-1 ;;
esac
recipe="$recipe_version $(grep -v '^#' "$here/wine-font-packages.txt" | sha256sum | cut -c1-16)"

current() { [ -x "$MIRVASHEL_WOW64_BIN/wine" ] && [ "$(cat "$MIRVASHEL_WOW64_STAMP" 2>/dev/null)" = "$recipe" ]; }
current && exit 0

mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9 # another checkout may be building it right now
current && exit 0

mounts_under() { awk -v d="$1" '$2 == d || index($2, d "/") == 1 {print $2}' /proc/self/mounts; }
# A root that still has something mounted inside is in use (or a run was
# killed): removing it would delete through the mount, so refuse.
remove_root() {
  [ -e "$1" ] || return 0
  if [ -n "$(mounts_under "$1")" ]; then
    echo "$1 still has mounts inside ($(mounts_under "$1" | tr '\n' ' ')); unmount them first." >&2
    exit 1
  fi
  rm -rf --one-file-system "$1"
}

# The mirror this machine's apt already uses.
mirror=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | tr ' ' '\n' | grep -v security | head -1 || true)
if [ -z "$mirror" ]; then
  mirror=$(sed -E 's/\[[^]]*\]//' /etc/apt/sources.list 2>/dev/null | awk '$1 == "deb" && $0 !~ /security/ {print $2; exit}' || true)
fi
[ -n "$mirror" ] || { echo "No Debian mirror found in the apt sources." >&2; exit 1; }

new=$cache/root.new
remove_root "$new"
echo "Building the Wine 10 root in $root (once per machine, a few minutes)..." >&2
debootstrap --variant=minbase trixie "$new" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
  { tail -20 "$cache/debootstrap.log" >&2; exit 1; }

mount -t proc proc "$new/proc"
trap 'umount "$new/proc"' EXIT
in_root() { chroot "$new" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
# The faces the prefix settings name: from trixie where it packages them,
# else the files of the host's own Debian package (KacstBook is no longer
# packaged in trixie), so both Wines draw with the same faces.
mapfile -t fonts < <(grep -v '^#' "$here/wine-font-packages.txt" | grep .)
packaged=() borrowed=()
for f in "${fonts[@]}"; do
  if in_root apt-cache policy "$f" | grep -q 'Candidate: [^(]'; then packaged+=("$f"); else borrowed+=("$f"); fi
done
if [ "$MIRVASHEL_I686_ROUTE" = emulated ]; then
  # Wine's 32-bit build from the i386 architecture (its Windows DLLs are the
  # same as the native route's) and the emulator for its Linux processes.
  in_root dpkg --add-architecture i386
  in_root apt-get update -qq
  wine_packages=(wine wine64 wine32:i386 libwine libwine:i386 qemu-user)
else
  wine_packages=(wine wine64 libwine)
fi
in_root apt-get install -y -qq --no-install-recommends "${wine_packages[@]}" fonts-wine "${packaged[@]}" >"$cache/install.log" 2>&1 ||
  { tail -20 "$cache/install.log" >&2; exit 1; }
for f in "${borrowed[@]}"; do
  dpkg-query -L "$f" | grep -E '^/usr/share/fonts/.*\.(ttf|otf)$' | while read -r file; do install -D -m644 "$file" "$new$file"; done
done
[ ${#borrowed[@]} -eq 0 ] || in_root sh -c 'command -v fc-cache >/dev/null && fc-cache -f || true'

version=$(in_root dpkg-query -W -f='${Version}\n' libwine | head -1)
if [ "$MIRVASHEL_I686_ROUTE" = native ]; then
  # The amd64 libwine leaves the 32-bit PE DLLs out; they come from
  # libwine:i386 of exactly the same version, unpacked, not installed.
  in_root dpkg --add-architecture i386
  in_root apt-get update -qq
  in_root sh -c "cd /tmp && apt-get download -qq 'libwine:i386=$version' && dpkg-deb -x libwine_*_i386.deb libwine-i386"
  cp -a "$new/tmp/libwine-i386/usr/lib/i386-linux-gnu/wine/i386-windows/." "$new/usr/lib/x86_64-linux-gnu/wine/i386-windows/"
  rm -rf "$new"/tmp/libwine*
  in_root dpkg --remove-architecture i386
  in_root apt-get update -qq
fi
in_root apt-get clean
umount "$new/proc"
trap - EXIT

# Wrappers put first on PATH: the project's scripts call wine, wineserver
# and wineboot as usual, and they run inside the root from the same folder.
mkdir -p "$MIRVASHEL_WOW64_BIN"
for tool in wine wineserver wineboot; do
  cat >"$MIRVASHEL_WOW64_BIN/$tool" <<WRAPPER
#!/bin/sh
exec chroot "$root" /usr/bin/env PATH=/usr/local/bin:/usr/bin:/bin sh -c 'cd "\$0" 2>/dev/null || cd /; exec $tool "\$@"' "\$PWD" "\$@"
WRAPPER
  chmod +x "$MIRVASHEL_WOW64_BIN/$tool"
done

rm -f "$MIRVASHEL_WOW64_STAMP"
remove_root "$root"
mv "$new" "$root"
echo "$recipe" >"$MIRVASHEL_WOW64_STAMP"
echo "Wine $version ready in $root ($(du -sh "$root" | cut -f1))." >&2
