# Sourced by scripts/run, scripts/test and bench/run: Wine as the project
# uses it. A prefix inside the build tree for each architecture, made once;
# no debug output; and never a prompt for Wine's optional add-ons, which
# would block an unattended run. 64-bit programs run under `wine`, 32-bit
# ones under scripts/wine32 (i386 Wine under qemu, see scripts/setup-wine32)
# in a 32-bit prefix of their own.
KELP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$KELP_ROOT/build/wine"
export KELP_WINE32_PREFIX="$KELP_ROOT/build/wine32"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# kelp_prepare_prefix <wine command> <prefix>: makes the prefix and gives it
# the settings every test run relies on.
kelp_prepare_prefix() {
  local wine=$1 prefix=$2
  mkdir -p "$KELP_ROOT/build"
  if [ ! -f "$prefix/system.reg" ]; then
    echo "Creating the Wine prefix $prefix"
    WINEPREFIX=$prefix "$wine" wineboot -i >/dev/null 2>&1 </dev/null
    WINEPREFIX=$prefix wineserver -w
  fi
  # The code editor's font. Windows has Courier New; Wine would fall back to a
  # proportional face with ligatures, which the coloured words drawn over the
  # editor's own text would not line up with. Liberation Mono has its metrics.
  if ! grep -q '"Courier New"="Liberation Mono"' "$prefix/user.reg" 2>/dev/null; then
    WINEPREFIX=$prefix "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' \
      /d 'Liberation Mono' /f >/dev/null 2>&1 </dev/null
    WINEPREFIX=$prefix wineserver -w
  fi
  # Wine draws the caption buttons (minimise, maximise, close) with its
  # Marlett font, but does not load the fonts of its own data folder: without
  # a copy among the prefix's fonts the buttons show the letters "0 1 r".
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ ! -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp "$marlett" "$prefix/drive_c/windows/Fonts/marlett.ttf"
  fi
  # The random user opens and closes the Find window and message boxes
  # hundreds of times; Wine would wait 2 s at each for a window manager that
  # is not there. Its program's windows are left unmanaged.
  local random_user='HKCU\Software\Wine\AppDefaults\win_random_user_tests.exe\X11 Driver'
  if ! grep -q 'win_random_user_tests.exe\\\\X11 Driver' "$prefix/user.reg" 2>/dev/null; then
    WINEPREFIX=$prefix "$wine" reg add "$random_user" /v Managed /d N /f >/dev/null 2>&1 </dev/null
    WINEPREFIX=$prefix wineserver -w
  fi
  # A program that crashes must end, not wait for someone to close Wine's
  # crash dialog: winedbg then only writes its report.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$prefix/user.reg" 2>/dev/null; then
    WINEPREFIX=$prefix "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
      /d 0 /f >/dev/null 2>&1 </dev/null
    WINEPREFIX=$prefix wineserver -w
  fi
  # A server left from an earlier run may belong to a display that is gone.
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
}

kelp_prepare_wine() {
  kelp_prepare_prefix wine "$WINEPREFIX"
}

kelp_prepare_wine32() {
  kelp_prepare_prefix "$KELP_ROOT/scripts/wine32" "$KELP_WINE32_PREFIX"
}
