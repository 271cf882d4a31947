#!/usr/bin/env bash
# Renders every picture source in src/resources/pictures/ to an enlarged PNG
# under build/pictures/preview/ (icons on the button-face grey, their images
# side by side), to look at a picture before it is committed.
# Usage: tools/picture/preview.sh [scale, default 8] [name filter]
set -euo pipefail
cd "$(dirname "$0")/../.."
scale=${1:-8}
filter=${2:-}
out=build/pictures/preview
tool=$out/picture_tool
mkdir -p "$out"
if [ ! -x "$tool" ] || [ tools/picture/picture_tool.cpp -nt "$tool" ]; then
  g++ -std=c++17 -O1 -Wall -o "$tool" tools/picture/picture_tool.cpp
fi
for source in src/resources/pictures/*"$filter"*.txt; do
  name=$(basename "$source" .txt)
  if grep -q '^format icon' "$source"; then
    "$tool" "$source" "$out/$name.ico"
    convert "$out/$name.ico" -background '#c0c0c0' -alpha remove -scale "${scale}00%" \
      -bordercolor '#ff00ff' -border 1 -gravity north +append "$out/$name.png"
  else
    "$tool" "$source" "$out/$name.bmp"
    convert "$out/$name.bmp" -scale "${scale}00%" "$out/$name.png"
  fi
  echo "$out/$name.png"
done
