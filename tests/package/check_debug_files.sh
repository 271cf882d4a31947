#!/usr/bin/env bash
# The debug information of the shipped binaries, apart from them: the
# optional component "debug" (`cmake --install <build> --component debug`)
# installs exactly one <binary>.debug beside each program and DLL of bin/,
# each holding DWARF sections (.debug_info) and the symbol table, and each
# the file that the shipped binary names in its .gnu_debuglink section, with
# the CRC there (what gdb checks before it reads it).
# Usage: check_debug_files.sh <cmake> <build dir> <debug install dir> <install dir> <objdump> <nm>
set -euo pipefail
cmake=$1 build=$2 prefix=$3 shipped=$4 objdump=$5 nm=$6
failed=0
rm -rf "$prefix"
"$cmake" --install "$build" --component debug --prefix "$prefix" >/dev/null

binaries=$(cd "$shipped" && find bin -type f \( -name '*.dll' -o -name '*.exe' \) | LC_ALL=C sort)
expected=$(sed 's/$/.debug/' <<<"$binaries")
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  echo "the debug component holds other files than a .debug file for each binary (< expected, > found):"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

# The name and CRC that a binary's .gnu_debuglink section holds: the name,
# a NUL, padding to four bytes, the CRC-32 of the debug file (little-endian).
debug_link() {
  "$objdump" -s -j .gnu_debuglink "$1" | python3 -c '
import sys
data = b""
for line in sys.stdin:
    if line.startswith(" ") and "  " in line[1:]:
        data += bytes.fromhex("".join(line[1:].split("  ")[0].split()[1:]))
name = data.split(b"\0", 1)[0]
crc_at = (len(name) + 4) // 4 * 4
print(name.decode(), int.from_bytes(data[crc_at:crc_at + 4], "little"))'
}

for binary in $binaries; do
  debug="$prefix/$binary.debug"
  read -r name crc < <(debug_link "$shipped/$binary")
  want_crc=$(python3 -c 'import sys, zlib; print(zlib.crc32(open(sys.argv[1], "rb").read()))' "$debug")
  if [ "$name" != "$(basename "$debug")" ] || [ "$crc" != "$want_crc" ]; then
    echo "$binary links to $name (CRC $crc), not to $(basename "$debug") (CRC $want_crc)"
    failed=1
  fi
  "$objdump" -h "$debug" | awk '{ print $2 }' | grep -qx '\.debug_info' ||
    { echo "$(basename "$debug") holds no .debug_info"; failed=1; }
  [ "$("$nm" "$debug" | grep -c ' [Tt] ')" -gt 0 ] || { echo "$(basename "$debug") holds no symbols"; failed=1; }
done

[ $failed -eq 0 ] && echo "the debug component holds the matching .debug file of each of the $(wc -w <<<"$binaries") binaries"
exit $failed
