#!/usr/bin/env bash
# The installer run silently (/S) in a fresh Wine prefix: every file in its place, the Start-menu
# entry, the .bx0 document type, the installed veskquery reading the installed sample; then the
# silent uninstall, after which none of it is left.
# Usage: installer_test.sh WINE SETUP.EXE VESK.TXT
set -uo pipefail
wine=$1 installer=$2 source=$3

prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=$(dirname "$wine")/wineserver64
# One server for the whole test: a program that starts just as an idle server ends fails.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null; rm -rf "$prefix"' EXIT
failures=0
check() {  # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
registry_default() {  # key: the key's default value, as reg query prints it
  "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'
}
registry_lacks() {  # key
  ! "$wine" reg query "$1" >/dev/null 2>&1
}

"$wine" wineboot --init >/dev/null 2>&1
"$wine" "$installer" /S

folder="$prefix/drive_c/Program Files/Belfrix"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Belfrix"
for file in Belfrix.exe veskcomp.exe veskquery.exe vesk.dat map.dat GSHHG-LICENSE.txt Uninstall.exe; do
  check "$file installed" test -s "$folder/$file"
done
check "Start-menu entry" test -s "$menu/Belfrix.lnk"
check ".bx0 is a Vesk Document" test "$(registry_default 'HKCR\.bx0')" = Belfrix.Document
check "Vesk Document named" test "$(registry_default 'HKCR\Belfrix.Document')" = "Vesk Document"
check "a document opens in Belfrix" \
  test "$(registry_default 'HKCR\Belfrix.Document\shell\open\command')" = '"C:\Program Files\Belfrix\Belfrix.exe" "%1"'
# Every tower of the sample, one line each: the source's lines but its header.
towers=$(cd "$folder" && "$wine" veskquery.exe --ids | wc -l)
check "the installed veskquery reads the installed sample ($towers towers)" \
  test "$towers" -eq "$(($(wc -l <"$source") - 1))"

# The uninstaller runs from a copy of itself, which removes the folder last.
"$wine" "$folder/Uninstall.exe" /S
for _ in $(seq 60); do [ -e "$folder" ] || break; sleep 1; done
check "installation folder removed" test ! -e "$folder"
check "Start-menu entry removed" test ! -e "$menu"
check "document type removed" registry_lacks 'HKCR\Belfrix.Document'
check ".bx0 removed" registry_lacks 'HKCR\.bx0'
check "no longer listed as installed" \
  registry_lacks 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Belfrix'
[ "$failures" -eq 0 ]
