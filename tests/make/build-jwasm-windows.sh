#!/bin/sh
# build-jwasm-windows.sh TARBALL OUTPUT CC: JWasm from the source tarball in
# ../shared/tools/jwasm, compiled as a Windows program with a MinGW C
# compiler, so that kelp.exe under Wine can run it as a user's assembler.
# (The tarball's own script builds the Linux binary; its makefile lists the
# sources in gccmod.inc.)
set -eu
[ $# -eq 3 ] || { echo "usage: $0 TARBALL OUTPUT CC" >&2; exit 2; }
tarball=$(readlink -f "$1"); output=$2; cc=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/jwasm-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
tar -xJf "$tarball" -C "$work"
src=$(find "$work" -mindepth 2 -maxdepth 2 -name gccmod.inc -printf '%h\n' | head -n1)
[ -n "$src" ] || { echo "no gccmod.inc in $tarball" >&2; exit 1; }
objects="main $(sed -n 's/.*\$(OUTD)\/\([a-z0-9_]*\)\.o.*/\1/p' "$src/gccmod.inc" | tr '\n' ' ')"
for object in $objects; do
  "$cc" -c -I"$src/src/H" -DNDEBUG -O2 -std=gnu99 -w -o "$work/$object.o" "$src/src/$object.c"
done
mkdir -p "$(dirname "$output")"
"$cc" -s -static -o "$output" "$work"/*.o
echo "built $output"
