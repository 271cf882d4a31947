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
