#!/usr/bin/env bash
# End to end: the host program starts in a Wine desktop on the test display
# with the whole environment (menu bar, toolbox, project window, Form Layout
# window), chooses "Standard EXE" in the New Project window, opens a module
# holding a short MASM sample, paints everything and saves the screen. The
# picture is kept as a test artefact and checked for what a user would see.
# Usage: host_screenshot.sh <directory of kelp.exe> <artefact directory>
set -euo pipefail
bin=$1 out=$2
source "$(dirname "$0")/../wine_test_env.sh"
mkdir -p "$out"
# A failure shows what Wine said too.
trap 'status=$?; if [ $status -ne 0 ] && [ -f "$out/wine.log" ]; then echo "--- wine.log:"; tail -n 20 "$out/wine.log"; fi' EXIT
shot="$out/host-start"
rm -f "$shot.bmp" "$shot.png"
cd "$bin"
# Wine's output goes to a file: see tests/run_under_wine.sh for why.
# kelp.exe's own watchdog ends a stuck run after two minutes and says why;
# the limit here catches what outlives it (the desktop not closing), well
# before CTest's, so that the log above is printed either way.
limit=240; [ "${KELP_ARCH:-}" = i686 ] && limit=720
status=0
timeout "$limit" "$KELP_WINE" explorer /desktop=KelpE2E$$,1280x800 kelp.exe --screenshot "Z:${shot//\//\\}.bmp" \
  >"$out/wine.log" 2>&1 </dev/null || status=$?
if [ "$status" -ne 0 ]; then
  echo "the environment's run ended with status $status (124: still running after $limit s)"
  ps -eo pid,etimes,args | grep -i -E 'wine|\.exe' | grep -v grep || true
  exit 1
fi
[ -f "$shot.bmp" ] || { echo "the host saved no screenshot"; exit 1; }
convert "$shot.bmp" "$shot.png"
echo "screenshot: $shot.png"

size=$(identify -format '%wx%h' "$shot.png")
[ "$size" = 1280x800 ] || { echo "screenshot is $size, expected the 1280x800 desktop"; exit 1; }

# The form's resize markers are dark blue (#0000AA) and its frame's client is
# white; the design surface's grid is black dots on the button face.
histogram=$(convert "$shot.png" -format %c histogram:info:-)
count() { grep -i " #$1 " <<<"$histogram" | awk '{ gsub(":", "", $1); print $1 }' | head -n 1; }
markers=$(count 0000AA); markers=${markers:-0}
dots=$(count 000000); dots=${dots:-0}
[ "$markers" -ge 40 ] || { echo "no resize markers on screen ($markers dark blue pixels)"; exit 1; }
[ "$dots" -ge 500 ] || { echo "no design grid on screen ($dots black pixels)"; exit 1; }
echo "the first form is on screen: $markers marker pixels, $dots black pixels"

# The module's code is coloured by the syntax.fmt beside kelp.exe: comments
# teal (#009090), instructions red, high-level syntax violet red (#C71585).
teal=$(count 009090); teal=${teal:-0}
red=$(count FF0000); red=${red:-0}
violet=$(count C71585); violet=${violet:-0}
[ "$teal" -ge 200 ] || { echo "no teal comments in the code window ($teal pixels)"; exit 1; }
[ "$red" -ge 40 ] || { echo "no red instructions in the code window ($red pixels)"; exit 1; }
[ "$violet" -ge 100 ] || { echo "no violet invoke in the code window ($violet pixels)"; exit 1; }
echo "the module is on screen, coloured: $teal teal, $red red, $violet violet pixels"

# The rest of the environment, each part where the host reports it put it:
# kelp.exe writes "name left top right bottom" lines beside the screenshot.
places="$shot.bmp.windows"
[ -f "$places" ] || { echo "the host reported no window places"; exit 1; }
region() {  # the histogram of one part of the screenshot
  read -r _ left top right bottom < <(grep "^$1 " "$places" | tr -d "\r")
  convert "$shot.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -format %c histogram:info:-
}
count_in() { grep -i " #$2 " <<<"$1" | awk '{ gsub(":", "", $1); print $1 }' | head -n 1; }
# How many pixels the commonest colour of a part covers, leaving out the
# colours that match the pattern.
commonest() { sort -t: -k1 -n -r <<<"$1" | grep -v -i -E " #($2) " | head -n 1 | awk '{ gsub(":", "", $1); print $1 }'; }

# The project window: its toolbar's yellow folder (#FBFB03), the tree's
# folder icons (#FFFF00) and the items' black text on white.
project=$(region project)
toolbar_yellow=$(count_in "$project" FBFB03); toolbar_yellow=${toolbar_yellow:-0}
folders=$(count_in "$project" FFFF00); folders=${folders:-0}
text=$(count_in "$project" 000000); text=${text:-0}
[ "$toolbar_yellow" -ge 40 ] || { echo "no project toolbar ($toolbar_yellow folder pixels)"; exit 1; }
[ "$folders" -ge 60 ] || { echo "no folders in the project tree ($folders yellow pixels)"; exit 1; }
[ "$text" -ge 150 ] || { echo "no item texts in the project tree ($text black pixels)"; exit 1; }
echo "the project window is on screen: $toolbar_yellow toolbar, $folders folder, $text text pixels"

# The properties window: the selected control's rows, black names on white
# rows divided by the grid, and the swatch of its background colour.
properties=$(region properties)
row_white=$(count_in "$properties" FFFFFF); row_white=${row_white:-0}
row_text=$(count_in "$properties" 000000); row_text=${row_text:-0}
[ "$row_white" -ge 8000 ] || { echo "no property rows ($row_white white pixels)"; exit 1; }
[ "$row_text" -ge 300 ] || { echo "no property names ($row_text black pixels)"; exit 1; }
echo "the properties window is on screen: $row_white row pixels, $row_text text pixels"

# The Form Layout window: white around the monitor, and the screen picture
# in one colour (the desktop's), the commonest after white and the greys.
layout=$(region layout)
white=$(count_in "$layout" FFFFFF); white=${white:-0}
picture=$(commonest "$layout" "FFFFFF|F0F0F0|A0A0A0|6A696A|696969|000000|C0C0C0")
[ "$white" -ge 5000 ] || { echo "no Form Layout window ($white white pixels)"; exit 1; }
[ "${picture:-0}" -ge 4000 ] || { echo "no screen picture in the Form Layout window (${picture:-0} pixels)"; exit 1; }
echo "the Form Layout window is on screen: $white white pixels, a picture of $picture pixels"

# The menu bar: the nine titles in black on the menu colour.
menu_text=$(count_in "$(region menubar)" 000000); menu_text=${menu_text:-0}
[ "$menu_text" -ge 200 ] || { echo "no menu bar ($menu_text black pixels)"; exit 1; }
echo "the menu bar is on screen: $menu_text text pixels"

# The toolbox: its 23 pictures.
tools=$(region toolbox)
face=$(commonest "$tools" "no colour left out")
total=$(awk '{ gsub(":", "", $1); s += $1 } END { print s }' <<<"$tools")
[ $((total - face)) -ge 3000 ] || { echo "no toolbox pictures ($((total - face)) pixels off its face)"; exit 1; }
echo "the toolbox is on screen: $((total - face)) picture pixels"
