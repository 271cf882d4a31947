#!/usr/bin/env bash
# run_checked_program.sh PROGRAM: runs the Checked sample under 32-bit Wine
# and passes when it ends with exit code 42, which its own code gives once
# its window, controls and second form are as the project says (any other
# code names the check that failed: see CheckedProject). Skips (77) without
# a display, the 32-bit runtime or its prefix.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_test_env.sh"
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display to run the program on"; exit 77; }
[ -f "${WINEPREFIX:-}/system.reg" ] || {
  echo "skipped: no 32-bit Wine prefix at ${WINEPREFIX:-?} (scripts/test prepares it)"; exit 77; }
"$KELP_WINE" --version >/dev/null 2>&1 || { echo "skipped: the 32-bit Wine runtime is not ready"; exit 77; }
"$here/../run_under_wine.sh" "$1"
code=$?
echo "the program ended with exit code $code"
[ "$code" -eq 42 ]
