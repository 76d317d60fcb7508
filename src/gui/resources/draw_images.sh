#!/usr/bin/env bash
# Draws the program's logo and window icon. Run by hand after changing a picture; the PNGs
# are kept in the tree so that a build needs no image tools.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

# The icon: a dial face with a yellow-cored red needle and a silver read-out, on transparency.
convert -size 256x256 xc:none \
  -fill '#101010' -stroke '#808080' -strokewidth 12 -draw 'circle 128,128 128,10' \
  -fill none -stroke white -strokewidth 10 -draw 'arc 36,36 220,220 135,405' \
  -fill '#101010' -stroke none -draw 'circle 128,128 128,50' \
  -stroke '#FF0000' -strokewidth 16 -draw 'line 128,128 196,60' \
  -stroke '#FFFF00' -strokewidth 5 -draw 'line 128,128 200,56' \
  -fill '#C0C0C0' -stroke none -draw 'roundrectangle 84,156 172,196 10,10' \
  -fill '#FF0000' -draw 'circle 128,128 128,114' \
  icon.png

# The logo: the small dial beside the product name, on the dashboard's black.
convert -size 89x49 xc:black \
  \( icon.png -resize 45x45 \) -geometry +2+2 -composite \
  -font "$font" -fill '#FF0000' -pointsize 13 -annotate +48+21 'Rizaz' \
  -fill white -annotate +48+38 'Ovoz' \
  logo.png
