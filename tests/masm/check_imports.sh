#!/usr/bin/env bash
# check_imports.sh OBJDUMP PROGRAM DLL LIST [DLL LIST]...: PROGRAM's import
# table takes from each DLL exactly the exports its LIST names (the lists of
# tests/exports: a name and an argument count a line). For the MASM host,
# whose only way to reach an export is an INVOKE of its PROTO, this says
# that every PROTO was used.
set -euo pipefail
[ $# -ge 4 ] && [ $(($# % 2)) -eq 0 ] || { echo "usage: $0 OBJDUMP PROGRAM DLL LIST [DLL LIST]..." >&2; exit 2; }
objdump=$1 program=$2
shift 2
table=$("$objdump" -p "$program")
failed=0
while [ $# -gt 0 ]; do
  dll=$1 list=$2
  shift 2
  imported=$(awk -v dll="$dll" '
    /DLL Name:/ { inside = ($3 == dll); next }
    inside && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF == 3 { print $3 }' <<<"$table" | sort)
  expected=$(grep -v '^#' "$list" | awk 'NF { print $1 }' | sort)
  if [ "$imported" != "$expected" ]; then
    echo "$(basename "$program") does not import the exports of $list from $dll (< expected, > imported):"
    diff <(echo "$expected") <(echo "$imported") || true
    failed=1
  else
    echo "$(basename "$program") imports all $(wc -l <<<"$expected") exports of $dll"
  fi
done
exit $failed
