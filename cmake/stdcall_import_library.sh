#!/usr/bin/env bash
# Makes the import libraries of a 32-bit DLL whose __stdcall functions are
# exported undecorated: each must map the decorated symbol (_Init_DLL@8, what
# a caller's compiler asks for) to the plain export name. The argument counts
# are read from the DLL's own symbols, so this runs after the link and before
# they are split off (kelp_release_binary). The MinGW library comes from GNU
# dlltool; the MSVC-style one, when asked for, from llvm-dlltool, whose -k
# gives each import object the "undecorate" name type that link.exe's own
# libraries use for such exports.
# Usage: stdcall_import_library.sh <nm> <dlltool> <dll> <exports.def> <out.dll.a> [<llvm-dlltool> <out.lib>]
set -euo pipefail
nm=$1 dlltool=$2 dll=$3 def=$4 out=$5 llvm_dlltool=${6:-} msvc_out=${7:-}
decorated=$(mktemp)
trap 'rm -f "$decorated"' EXIT
symbols=$("$nm" "$dll")
{
  echo "LIBRARY $(basename "$dll")"
  echo "EXPORTS"
  awk '/^EXPORTS/ { in_exports = 1; next } in_exports && NF && $1 !~ /^;/ { print $1 }' "$def" |
    while read -r name; do
      symbol=$(grep -o " _${name}@[0-9]*\$" <<<"$symbols" | head -n 1 | sed 's/^ _//')
      [ -n "$symbol" ] || { echo "no __stdcall symbol for $name in $dll" >&2; exit 1; }
      echo "    $symbol"
    done
} >"$decorated"
"$dlltool" --kill-at --input-def "$decorated" --dllname "$(basename "$dll")" --output-lib "$out"
if [ -n "$msvc_out" ]; then
  "$llvm_dlltool" -m i386 -k -d "$decorated" -l "$msvc_out"
fi
