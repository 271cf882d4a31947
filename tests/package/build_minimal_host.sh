#!/usr/bin/env bash
# Builds docs/examples/minimal_host.c as a host author would: against the
# installed headers, once with each style of import library, every warning
# an error. Each host then imports from Kelp32.dll by plain name. The hosts
# are left in <work dir>/run beside the installed DLLs and syntax.fmt, where
# the Wine test starts them.
# Usage: build_minimal_host.sh <cc> <objdump> <install dir> <minimal_host.c> <work dir>
set -euo pipefail
cc=$1 objdump=$2 prefix=$3 source=$4 work=$5
rm -rf "$work" && mkdir -p "$work/run"
cp "$prefix"/bin/Kelp32.dll "$prefix"/bin/mhook.dll "$prefix"/bin/syntax.fmt "$work/run/"
for style in mingw msvc; do
  exe="$work/run/minimal_host_$style.exe"
  if [ $style = mingw ]; then
    link=(-L"$prefix/lib" -lKelp32)
  else
    link=("$prefix/lib/Kelp32.lib")
  fi
  "$cc" -std=c99 -Wall -Wextra -Wpedantic -Werror -mwindows -I"$prefix/include" "$source" "${link[@]}" -o "$exe"
  imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ { print $3 }')
  grep -qx "Kelp32.dll" <<<"$imports" || { echo "minimal_host_$style.exe does not import Kelp32.dll"; exit 1; }
  grep -q "Init_DLL" < <("$objdump" -p "$exe") || { echo "minimal_host_$style.exe does not import Init_DLL"; exit 1; }
done
echo "minimal_host.c builds with both import libraries: $(ls "$work/run" | grep -c '\.exe$') hosts in $work/run"
