#!/usr/bin/env bash
# assemble_programs.sh WRITER JWASM OBJCOPY LD FOLDER: writes the sample
# programs into FOLDER, then assembles each with JWasm (MASM's syntax only,
# warning level 4, warnings as errors, no include folder but its own) and links it with GNU
# ld against the import libraries. JWasm writes link.exe's -entry:start into
# the object, which ld cannot read: the section goes, and ld gets the entry
# with -e. Then assembles a program with a mistake in a handler and maps
# the assembler's line back to the handler's code window. Each sample is
# also made into a program by JWasm alone (-pe), as kelp.exe's Make can
# ask of it, with the DLLs named in the include. Prints each
# result and fails if any fails.
set -uo pipefail
[ $# -eq 5 ] || { echo "usage: $0 WRITER JWASM OBJCOPY LD FOLDER" >&2; exit 2; }
writer=$1 jwasm=$2 objcopy=$3 ld=$4 folder=$5
rm -rf "$folder"
mkdir -p "$folder"
"$writer" "$folder" || { echo "the generator refused a sample" >&2; exit 1; }
passed=0 failed=0
for dir in "$folder"/*/; do
  name=$(basename "$dir")
  if (cd "$dir" && "$jwasm" -q -coff -Zne -W4 -WX -X -DKELP_IMPORT_LIBRARIES -Fo"$name.o" "$name.asm" &&
      "$objcopy" --remove-section .drectve "$name.o" &&
      "$ld" -e _start --subsystem windows -o "$name.exe" "$name.o" -lkernel32 -luser32 -lgdi32 -lcomctl32 &&
      [ -s "$name.exe" ] &&
      "$jwasm" -q -pe -W4 -WX -X -Fo"$name-pe.exe" "$name.asm" && [ -s "$name-pe.exe" ]); then
    echo "$name: assembled and linked; made by JWasm alone (-pe) too"
    passed=$((passed + 1))
  else
    echo "$name: FAILED"
    failed=$((failed + 1))
  fi
done
# A mistake in a handler: the assembler's message names a line of the
# program, which the line map takes back to the handler's code window.
broken=$(dirname "$folder")/broken
rm -rf "$broken"
expected=$("$writer" --broken "$broken")
message=$(cd "$broken" && "$jwasm" -q -coff -Zne -W4 -WX -X -DKELP_IMPORT_LIBRARIES -FoBroken.o Broken.asm 2>&1 |
  grep -m1 ' : Error')
line=$(sed -n 's/^Broken\.asm(\([0-9]*\)) : Error.*/\1/p' <<<"$message")
mapped=$([ -n "$line" ] && "$writer" --map "$broken/Broken.asm" "$line")
if [ -n "$line" ] && [ "$mapped" = "$expected" ]; then
  echo "Broken: the assembler's message at line $line is $mapped of the project"
  passed=$((passed + 1))
else
  echo "Broken: FAILED: the message \"$message\" maps to \"$mapped\", not \"$expected\""
  failed=$((failed + 1))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
