#!/usr/bin/env bash
# Checks a built DLL (Kelp32.dll, mhook.dll): its export table names exactly the expected
# exports, undecorated; on i686 each is __stdcall with its argument count
# (read from the symbols of <dll>.debug: the DLL itself is stripped); and it
# imports from system DLLs only.
# Usage: check_exports.sh <objdump> <nm> <dll> <expected_exports.txt> <x86_64|i686> [our DLLs it may import]
set -euo pipefail
objdump=$1 nm=$2 dll=$3 expected=$4 arch=$5 ours=${6:-}
failed=0

actual_names=$("$objdump" -p "$dll" | awk '
  /^\[Ordinal\/Name Pointer\] Table/ { in_table = 1; next }
  in_table && /^[ \t]*\[ *[0-9]+\]/ { print $NF; next }
  in_table && !/^[ \t]*$/ { in_table = 0 }')
expected_names=$(grep -v '^#' "$expected" | awk 'NF { print $1 }' | sort || true)
if [ "$(sort <<<"$actual_names")" != "$expected_names" ]; then
  echo "export table differs from $expected:"
  diff <(echo "$expected_names") <(sort <<<"$actual_names") || true
  failed=1
fi

if [ "$arch" = i686 ] && [ -s "$expected" ]; then
  [ -f "$dll.debug" ] || { echo "no $dll.debug to read the symbols of $(basename "$dll") from"; exit 1; }
  symbols=$("$nm" "$dll.debug")
  while read -r name count; do
    [ -z "$name" ] || [ "${name:0:1}" = "#" ] && continue
    if ! grep -q " _${name}@$((count * 4))\$" <<<"$symbols"; then
      echo "$name is not __stdcall with $count arguments (no _${name}@$((count * 4)))"
      failed=1
    fi
  done <"$expected"
fi

allowed='^(kernel32|user32|gdi32|comctl32|shell32|advapi32|msvcrt|riched20|ole32|comdlg32)\.dll$'
while read -r imported; do
  lower=$(tr 'A-Z' 'a-z' <<<"$imported")
  if [ -n "$ours" ] && grep -Eq "^($ours)\$" <<<"$lower"; then continue; fi
  if ! grep -Eq "$allowed" <<<"$lower" && ! grep -Eq '^api-ms-win-' <<<"$lower"; then
    echo "$(basename "$dll") needs $imported, which is not a system DLL"
    failed=1
  fi
done < <("$objdump" -p "$dll" | awk '/DLL Name:/ { print $3 }')

if [ $failed -eq 0 ]; then
  echo "$(basename "$dll") ($arch): exports as expected, imports from system DLLs${ours:+ and $ours} only"
fi
exit $failed
