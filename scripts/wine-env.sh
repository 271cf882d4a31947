# Sourced by scripts/run and scripts/test: Wine as the project uses it.
# A prefix inside the build tree, made once; no debug output; and never a
# prompt for Wine's optional add-ons, which would block an unattended run.
KELP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$KELP_ROOT/build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

kelp_prepare_wine() {
  mkdir -p "$KELP_ROOT/build"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  # The code editor's font. Windows has Courier New; Wine would fall back to a
  # proportional face with ligatures, which the coloured words drawn over the
  # editor's own text would not line up with. Liberation Mono has its metrics.
  if ! grep -q '"Courier New"="Liberation Mono"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
      >/dev/null 2>&1 </dev/null
    wineserver -w
  fi
  # The random user opens and closes the Find window and message boxes
  # hundreds of times; Wine would wait 2 s at each for a window manager that
  # is not there. Its program's windows are left unmanaged.
  local random_user='HKCU\Software\Wine\AppDefaults\win_random_user_tests.exe\X11 Driver'
  if ! grep -q 'win_random_user_tests.exe\\\\X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add "$random_user" /v Managed /d N /f >/dev/null 2>&1 </dev/null
    wineserver -w
  fi
  # A server left from an earlier run may belong to a display that is gone.
  wineserver -k >/dev/null 2>&1 || true
}
