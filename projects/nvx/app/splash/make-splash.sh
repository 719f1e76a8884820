#!/usr/bin/env bash
# Draws the splash picture (a vault door under a night sky) into splash.bmp, and cuts the
# desktop icon (the door, 64 x 64) from it into ../desktop/nightvault.png.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 160x80 gradient:'#0b1030-#1d2a5a' \
  -fill '#f4e9b0' -draw 'circle 140,14 140,8' \
  -fill '#0b1030' -draw 'circle 143,12 143,7' \
  -fill '#c9cdd6' -draw 'point 20,10 point 52,6 point 88,14 point 110,5 point 8,30' \
  -fill '#5d6677' -stroke '#a7afbd' -strokewidth 2 -draw 'circle 40,44 40,20' \
  -fill none -stroke '#a7afbd' -strokewidth 1 -draw 'circle 40,44 40,32' \
  -draw 'line 40,24 40,64 line 20,44 60,44 line 26,30 54,58 line 54,30 26,58' \
  -fill '#e0c060' -stroke none -draw 'circle 40,44 40,41' \
  -fill '#e8ecf4' -font DejaVu-Sans-Bold -pointsize 14 -annotate +70+42 'Night' \
  -fill '#e0c060' -annotate +84+60 'vault' \
  -type TrueColor BMP3:splash.bmp
convert splash.bmp -crop 64x64+8+12 +repage -strip PNG24:../desktop/nightvault.png
