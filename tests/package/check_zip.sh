#!/usr/bin/env bash
# CPack's ZIP of the build: one top folder named after the package, holding
# exactly the files of the install tree, programs and libraries of the
# build's architecture, the programs and DLLs stripped.
# Usage: check_zip.sh <cpack> <build dir> <package name> <expected_files.txt> <objdump> <x86_64|i686>
set -euo pipefail
cpack=$1 build=$2 name=$3 expected=$4 objdump=$5 arch=$6
source "$(dirname "$0")/package_layout.sh"
zip="$build/packages/$name.zip"
rm -f "$zip"
(cd "$build" && "$cpack" -G ZIP --config CPackConfig.cmake >cpack.log 2>&1) ||
  { cat "$build/cpack.log"; exit 1; }
[ -f "$zip" ] || { echo "CPack made no $zip"; cat "$build/cpack.log"; exit 1; }

outside=$(unzip -Z1 "$zip" | grep -v "^$name/" || true)
[ -z "$outside" ] || { echo "entries outside $name/: $outside"; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
same_files "$unpacked/$name" "$expected"
right_machine "$objdump" "$arch" "$unpacked/$name"/bin/*.dll "$unpacked/$name"/bin/*.exe "$unpacked/$name"/lib/*
stripped "$objdump" "$unpacked/$name"/bin/*.dll "$unpacked/$name"/bin/*.exe
echo "$(basename "$zip") holds the $(wc -l <"$expected") expected files, built for $arch, the binaries stripped"
