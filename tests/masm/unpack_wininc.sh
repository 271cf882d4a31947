#!/usr/bin/env bash
# unpack_wininc.sh TARBALL DIR: WinInc's include files as JWasm on Linux
# needs them. They are named in mixed case (winbase.INC) while the includes
# ask for lower case (include winbase.inc): the tarball is unpacked into
# DIR/unpacked and DIR/include gets a lower-case link to each file. DIR is
# made anew; DIR/include appears only once it is complete.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 TARBALL DIR" >&2; exit 2; }
tarball=$1 dir=$2
rm -rf "$dir"
mkdir -p "$dir/unpacked" "$dir/include.partial"
# -m: the files get the time of unpacking, so that the build sees them newer than the tarball.
tar -xmJf "$tarball" -C "$dir/unpacked"
source=$(find "$dir/unpacked" -type f -iname windows.inc -printf '%h\n' | head -n 1)
[ -n "$source" ] || { echo "$0: no windows.inc in $tarball" >&2; exit 1; }
for file in "$source"/*; do
  [ -f "$file" ] || continue
  # ln fails on a second file of the same lower-case name: better than one shadowing the other.
  ln -s "$file" "$dir/include.partial/$(basename "$file" | tr '[:upper:]' '[:lower:]')"
done
mv "$dir/include.partial" "$dir/include"
