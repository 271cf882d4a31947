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
  # A server left from an earlier run may belong to a display that is gone.
  wineserver -k >/dev/null 2>&1 || true
}
