#!/usr/bin/env bash
# End to end: the host program starts in a Wine desktop on the test display,
# opens its first form and a module holding a short MASM sample, paints
# everything and saves the screen. The picture is kept as a test artefact and
# checked for what a user would see.
# Usage: host_screenshot.sh <directory of kelp.exe> <artefact directory>
set -euo pipefail
bin=$1 out=$2
mkdir -p "$out"
shot="$out/host-start"
rm -f "$shot.bmp" "$shot.png"
cd "$bin"
# Wine's output goes to a file: see tests/run_under_wine.sh for why.
wine explorer /desktop=KelpE2E,1280x800 kelp.exe --screenshot "Z:${shot//\//\\}.bmp" \
  >"$out/wine.log" 2>&1 </dev/null
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
