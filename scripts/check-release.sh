#!/usr/bin/env bash
# Looks at the release executable as a user's Windows would: 32-bit x86,
# GUI subsystem, only Windows' "known DLLs" imported (any other DLL is looked
# for beside the exe first, where anyone may plant one), no link time in the
# header, a resource table of fifteen language-neutral icons, their group and
# one U.S. English version record with the program's names, and its size.
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
rsrc=$(sed -n '/The .rsrc Resource Directory/,$p' <<<"$headers")
icons=$(awk '/Entry: ID: 0x000003,/ { f = 1; next } f && /Name Table/ { print $NF; exit }' <<<"$rsrc")
check "15 icon images: five sizes at 4, 8 and 32 bits ($icons)" "$(yes_if '[ "$icons" = 15 ]')"
# The shell picks the icon whatever the user's language; the version record is U.S. English.
langs=$(grep -E '^[0-9a-f]{3}       Entry: ID' <<<"$rsrc" | awk '{print $4}' | sort | uniq -c | awk '{printf "%sx%s ", $1, $2}')
check "icons and group language-neutral, version U.S. English ($langs)" \
  "$(yes_if '[ "$langs" = "16x00000000, 1x0x000409, " ]')"
version=$(strings -el "$exe" | sed -n '/^VS_VERSION_INFO$/,/^Translation$/p' | tr '\n' ' ')
check "version record: product, versions 1.00, names, one translation" \
  "$(yes_if '[ "$version" = "VS_VERSION_INFO StringFileInfo 040904B0 ProductName Mirvashel FileVersion 1.00 ProductVersion 1.00 InternalName Mirvashel OriginalFilename Mirvashel.exe VarFileInfo Translation " ]')"

size=$(stat -c %s "$exe")
# A single download beside a folder of fonts: it stays within 300 KB.
check "size $size bytes ($((size / 1024)) KiB), within 300 KB" "$(yes_if '[ "$size" -le 300000 ]')"
exit $fail
