#!/usr/bin/env bash
# hang_is_a_failure.sh RUNNER PROGRAM ARGUMENTS...: a program that never
# ends, run by CTest as every Windows test is (RUNNER under a TIMEOUT), must
# be reported as timed out soon after that timeout, and nothing of it may
# go on running afterwards (a hung test must never hold up the whole run).
set -uo pipefail
runner=$1; shift
limit=10
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  printf 'add_test(hangs "%s"' "$runner"
  printf ' "%s"' "$@"
  printf ')\nset_tests_properties(hangs PROPERTIES TIMEOUT %s)\n' "$limit"
} >"$work/CTestTestfile.cmake"
start=$(date +%s)
output=$(ctest --test-dir "$work" 2>&1)
status=$?
took=$(( $(date +%s) - start ))
echo "$output" | grep -E 'hangs|tests passed'
[ "$status" -ne 0 ] || { echo "CTest passed a program that never ended"; exit 1; }
grep -q 'Timeout' <<<"$output" || { echo "CTest did not report the hang as a timeout"; exit 1; }
[ "$took" -le $((limit + 30)) ] || { echo "CTest took $took s to give up on a ${limit} s timeout"; exit 1; }
program=$(basename "$1")
# Processes of the program, this script (whose own arguments name it) aside.
left() { pgrep -f "$program" | grep -v -x "$$"; }
for _ in $(seq 100); do
  left >/dev/null || { echo "reported as timed out after $took s; nothing of it is left running"; exit 0; }
  sleep 0.1
done
echo "the hung program still runs after its test ended:"
ps -o pid,args -p "$(left | tr '\n' ',' | sed 's/,$//')"
exit 1
