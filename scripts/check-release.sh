#!/usr/bin/env bash
# Looks at the release executable as a user's Windows would: 32-bit x86,
# GUI subsystem, only Windows' "known DLLs" imported (any other DLL is looked
# for beside the exe first, where anyone may plant one), no link time in the
# header, a resource table of icons, one icon group and one version record,
# and its size.
# usage: check-release.sh EXE
set -euo pipefail
exe=$1
objdump=i686-w64-mingw32-objdump
fail=0
check() { # description, condition result
  if [ "$2" = yes ]; then printf '  ok    %s\n' "$1"; else printf '  FAIL  %s\n' "$1"; fail=1; fi
}
yes_if() { if eval "$1"; then echo yes; else echo no; fi; }

headers=$($objdump -p "$exe")
echo "Release check of $(basename "$exe"):"
check "PE32 for i386" "$(yes_if '$objdump -f "$exe" | grep -q "file format pei-i386"')"
check "GUI subsystem" "$(yes_if 'grep -q "Subsystem.*(Windows GUI)" <<<"$headers"')"

allowed='^(KERNEL32|USER32|GDI32|SHELL32|SHLWAPI|msvcrt)\.dll$'
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print $3}')
others=$(grep -viE "$allowed" <<<"$imports" || true)
check "imports only known DLLs ($(echo $imports | tr ' ' ','))" "$(yes_if '[ -z "$others" ]')"
check "no link time in the header" "$(yes_if 'grep -qE "^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970" <<<"$headers"')"

# Top level of the resource directory: RT_ICON (3), RT_GROUP_ICON (0xe), RT_VERSION (0x10), nothing else.
types=$(sed -n '/The .rsrc Resource Directory/,$p' <<<"$headers" | grep -E '^0[0-9a-f]{2}   Entry: ID' | awk '{print $4}' | tr -d ',' | tr '\n' ' ')
check "resource types are icon, icon group, version only ($types)" \
  "$(yes_if '[ "$types" = "0x000003 0x00000e 0x000010 " ]')"
check "version record names the product" "$(yes_if 'LC_ALL=C grep -qa "M.i.r.v.a.s.h.e.l...e.x.e" "$exe"')"

size=$(stat -c %s "$exe")
printf '  info  size %d bytes (%d KiB; target 300 KB)\n' "$size" $((size / 1024))
exit $fail
