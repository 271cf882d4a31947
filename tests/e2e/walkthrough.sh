#!/usr/bin/env bash
# Runs e2e_walkthrough.exe beside kelp.exe in a Wine desktop of its own on
# the test display. The driver asks for what belongs to the display (a line
# in the file "request"): "mouse <xdotool arguments>" moves the X pointer or
# presses its buttons, in the desktop's coordinates, as a person's mouse
# does; "snap <name>" saves the desktop as <name>.bmp for its checks and
# <name>.png to keep. What it printed and the screens are the artefacts.
# Usage: walkthrough.sh <directory of kelp.exe> <artefact directory>
set -euo pipefail
bin=$1 out=$2
source "$(dirname "$0")/../wine_test_env.sh"
[ -n "${DISPLAY:-}" ] || { echo "walkthrough.sh needs a display (scripts/test starts Xvfb)"; exit 1; }
rm -rf "$out"
mkdir -p "$out"
cd "$bin"
# Wine's output goes to files: see tests/run_under_wine.sh for why.
# A desktop of this run's own: "explorer /desktop" with the name of one that
# still exists would only start the program there and return at once.
name=KelpWalk$$
# Make's settings: JWasm built for Windows (KELP_TEST_JWASM), making the
# program itself; without it the walkthrough stops before Make.
if [ -n "${KELP_TEST_JWASM:-}" ] && [ -f "$KELP_TEST_JWASM" ]; then
  mkdir -p "$out/settings"
  printf 'Assemble = "Z:%s" -q -pe -Fo"{program}" "{source}"\r\n' "${KELP_TEST_JWASM//\//\\}" >"$out/settings/make.ini"
  export KELP_SETTINGS_FOLDER="Z:${out//\//\\}\\settings"
fi
"$KELP_WINE" explorer "/desktop=$name,1280x800" e2e_walkthrough.exe "Z:${out//\//\\}" \
  >"$out/walkthrough.log" 2>"$out/wine.log" </dev/null &
driver=$!
# However this script ends, the driver does not outlive it.
trap 'kill "$driver" 2>/dev/null || true' EXIT

desktop=
serve() {
  local verb rest
  read -r verb rest <"$out/request" || true
  rest=${rest%$'\r'}
  [ -n "$desktop" ] || desktop=$(xdotool search --name "^$name - " 2>/dev/null | head -n 1 || true)
  # A request that fails is answered all the same: the driver's checks then
  # say what did not happen.
  case $verb in
    mouse)
      # "mousemove x y" is in the desktop's coordinates.
      if [[ $rest == mousemove* ]]; then
        xdotool mousemove --window "$desktop" ${rest#mousemove } || echo "failed: $verb $rest"
      else
        xdotool $rest || echo "failed: $verb $rest"
      fi ;;
    snap)
      { import -window "$desktop" "bmp3:$out/$rest.bmp" && convert "$out/$rest.bmp" "$out/$rest.png"; } ||
        echo "failed: $verb $rest" ;;
  esac
  rm "$out/request"
}
# The driver leaves "finished" when it is done; the desktop closes soon after.
while [ ! -f "$out/finished" ] && kill -0 "$driver" 2>/dev/null; do
  if [ -f "$out/request" ]; then serve; else sleep 0.05; fi
done
for _ in $(seq 100); do kill -0 "$driver" 2>/dev/null || break; sleep 0.1; done
kill "$driver" 2>/dev/null || true
rm -f "$out/finished"
rm -f "$out"/*.bmp
tr -d '\r' <"$out/walkthrough.log"
echo "screens: $out"
grep -q "^walkthrough: passed" "$out/walkthrough.log" || { tail -n 20 "$out/wine.log"; exit 1; }
