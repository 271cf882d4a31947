#!/usr/bin/env bash
# `cmake --install` into a fresh folder: exactly the files of the expected
# list (no test programs, benchmarks or tools, no debug information), each
# program and library of the build's architecture, the programs and DLLs
# stripped. The later package tests use this install tree.
# Usage: check_install.sh <cmake> <build dir> <install dir> <expected_files.txt> <objdump> <x86_64|i686>
set -euo pipefail
cmake=$1 build=$2 prefix=$3 expected=$4 objdump=$5 arch=$6
source "$(dirname "$0")/package_layout.sh"
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
same_files "$prefix" "$expected"
right_machine "$objdump" "$arch" "$prefix"/bin/*.dll "$prefix"/bin/*.exe "$prefix"/lib/*
stripped "$objdump" "$prefix"/bin/*.dll "$prefix"/bin/*.exe
echo "the install tree holds the $(wc -l <"$expected") expected files, built for $arch, the binaries stripped"
