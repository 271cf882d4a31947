#!/usr/bin/env bash
# The installed import libraries, both styles, for both DLLs:
#  - each offers every export of the DLL's list under the symbol a caller's
#    compiler asks for: Name and __imp_Name on x86_64; _Name@N and
#    __imp__Name@N on i686, N = 4 x the argument count;
#  - a C program that takes the address of every function declared in the
#    installed headers links against each with the MinGW linker (on i686 the
#    decoration comes from the header's prototype, so a wrong argument count
#    in the header fails here), and the program then imports exactly the
#    DLLs' plain export names.
# Usage: check_import_libraries.sh <cc> <nm> <objdump> <install dir> <work dir> <x86_64|i686>
#                                  <kelp32 exports.txt> <mhook exports.txt>
set -euo pipefail
cc=$1 nm=$2 objdump=$3 prefix=$4 work=$5 arch=$6 kelp_exports=$7 mhook_exports=$8
failed=0
rm -rf "$work" && mkdir -p "$work"

names() { grep -hv '^#' "$@" | awk 'NF { print $1 }'; }

# The symbols a library offers for one DLL's exports.
check_symbols() {
  local library=$1 exports=$2 symbols name count want
  symbols=$("$nm" "$library" 2>/dev/null | awk 'NF >= 2 { print $NF }' | sort -u)
  while read -r name count; do
    if [ "$arch" = i686 ]; then
      want="_${name}@$((count * 4)) __imp__${name}@$((count * 4))"
    else
      want="${name} __imp_${name}"
    fi
    for symbol in $want; do
      grep -qxF "$symbol" <<<"$symbols" || { echo "$(basename "$library") lacks $symbol"; failed=1; }
    done
  done < <(grep -v '^#' "$exports" | awk 'NF')
}

# The names a program imports from one DLL, as objdump -p lists them.
imports_of() {
  "$objdump" -p "$1" | awk -v dll="$2" '
    /DLL Name:/ { in_dll = (tolower($3) == tolower(dll)); next }
    in_dll && /^[ \t]*$/ { in_dll = 0 }
    in_dll && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $NF }' | sort
}

program="$work/all_exports.c"
{
  echo '/* Takes the address of every export, as the installed headers declare it. */'
  echo '#include "kelp32.h"'
  echo '#include "mhook.h"'
  echo 'typedef void (*AnyFunction)(void);'
  echo 'AnyFunction const kEveryExport[] = {'
  names "$kelp_exports" "$mhook_exports" | sed 's/.*/    (AnyFunction)&,/'
  echo '};'
  echo 'int main(void) { return kEveryExport[0] == 0; }'
} >"$program"

for style in mingw msvc; do
  if [ $style = mingw ]; then
    kelp_lib="$prefix/lib/libKelp32.dll.a" mhook_lib="$prefix/lib/libmhook.dll.a"
  else
    kelp_lib="$prefix/lib/Kelp32.lib" mhook_lib="$prefix/lib/mhook.lib"
  fi
  check_symbols "$kelp_lib" "$kelp_exports"
  check_symbols "$mhook_lib" "$mhook_exports"
  exe="$work/all_exports_$style.exe"
  if ! "$cc" -std=c99 -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" "$program" "$kelp_lib" "$mhook_lib" \
      -o "$exe" 2>"$work/link_$style.log"; then
    echo "the program taking every export does not build with the $style import libraries:"
    cat "$work/link_$style.log"
    failed=1
    continue
  fi
  for pair in "Kelp32.dll:$kelp_exports" "mhook.dll:$mhook_exports"; do
    dll=${pair%%:*} exports=${pair#*:}
    if [ "$(imports_of "$exe" "$dll")" != "$(names "$exports" | sort)" ]; then
      echo "linked with the $style import libraries, the program imports from $dll:"
      diff <(names "$exports" | sort) <(imports_of "$exe" "$dll") || true
      failed=1
    fi
  done
done

[ $failed -eq 0 ] && echo "both styles of import library link every export of Kelp32.dll and mhook.dll ($arch)"
exit $failed
