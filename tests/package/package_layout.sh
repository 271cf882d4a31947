# Sourced by the package tests: checks shared by the install tree and the ZIP.

# same_files <root> <expected_files.txt>: the files under root, and nothing else.
same_files() {
  local root=$1 expected=$2 actual
  actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  if [ "$actual" != "$(LC_ALL=C sort "$expected")" ]; then
    echo "the files under $root differ from $expected (< expected, > found):"
    diff <(LC_ALL=C sort "$expected") <(echo "$actual") || true
    return 1
  fi
}

# right_machine <objdump> <x86_64|i686> <files>...: each program, DLL and
# import library is built for that architecture and no other (objdump names
# COFF objects pe-*, images and short import objects pei-*).
right_machine() {
  local objdump=$1 arch=$2 file machines
  shift 2
  local want=x86-64
  [ "$arch" = i686 ] && want=i386
  for file in "$@"; do
    machines=$("$objdump" -f "$file" 2>&1 | awk '/file format/ { sub(/^pei?-/, "", $NF); print $NF }' | sort -u)
    [ "$machines" = "$want" ] || { echo "$file is not for $arch (file formats: $(echo $machines))"; return 1; }
  done
}

# stripped <objdump> <files>...: each program and DLL is shipped as users run
# it: no DWARF sections (.debug_*) and no symbol table; its debug information
# lives in a .debug file of its own, which it names in a .gnu_debuglink section.
stripped() {
  local objdump=$1 file sections
  shift
  for file in "$@"; do
    sections=$("$objdump" -h "$file" | awk '$1 ~ /^[0-9]+$/ { print $2 }')
    if grep -q '^\.debug_' <<<"$sections"; then
      echo "$file carries debug information: $(grep '^\.debug_' <<<"$sections" | tr '\n' ' ')"
      return 1
    fi
    grep -qx '\.gnu_debuglink' <<<"$sections" || { echo "$file names no .debug file (no .gnu_debuglink)"; return 1; }
    if ! "$objdump" -t "$file" | grep -qx 'no symbols'; then
      echo "$file carries a symbol table"
      return 1
    fi
  done
}
