#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the committed pictures from their sources; run it by hand after
# changing a drawing, from any folder. Needs rsvg-convert (librsvg2-bin),
# ImageMagick and the Helvetica-Bold it knows from fonts-urw-base35.
#
# - icons/twinvane.svg is the application icon: two overlapping document
#   pages crossed by a weather-vane arrow. icons/twinvane-16.svg and
#   icons/twinvane-24.svg redraw it on those pixel grids, where the full
#   drawing blurs. They give the PNGs of the desktop's icon theme,
#   icons/twinvane-<size>.png (the 32-pixel one is also the window icon and
#   the About box's picture), and the Windows icon twinvane.ico.
# - logo.bmp is the About box's built-in logo (147 x 120, 256 colours), the
#   same motif in the icon's colours with the name below. It is drawn
#   several times larger and scaled down, which gives smooth edges;
#   coordinates are in the final picture's pixels.
set -eu
cd "$(dirname "$0")"

for size in 16 24 32 48 64 128 256; do
    source=icons/twinvane.svg
    if [ -e "icons/twinvane-$size.svg" ]; then
        source=icons/twinvane-$size.svg
    fi
    rsvg-convert --width "$size" --height "$size" --output "icons/twinvane-$size.png" "$source"
done
# Windows takes the 256-pixel image of an icon file as PNG; ImageMagick
# writes it so.
convert icons/twinvane-16.png icons/twinvane-24.png icons/twinvane-32.png \
    icons/twinvane-48.png icons/twinvane-256.png ICO:twinvane.ico

ink='#2b4a6f'    # outlines, lettering
back='#dce8f5'   # the first page
front='#ffffff'  # the second page
lines='#8fa6c0'  # the pages' text lines
vane='#e8731a'   # the arrow
# The logo's ground: the dialog colour. Its bottom-left pixel is the colour
# the About form makes transparent.
face='#f0f0f0'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/logo.mvg" <<MVG
affine 4,0,0,4,0,0
stroke '$ink' stroke-width 2 stroke-linejoin round
fill '$back'  path 'M 22,6 h 38 l 12,12 v 54 h -50 Z'
fill '$front' path 'M 56,18 h 38 l 12,12 v 54 h -50 Z'
stroke '$lines' stroke-width 3 stroke-linecap round
line 29,15 50,15
line 29,23 52,23
line 63,58 98,58
line 63,66 98,66
line 63,74 88,74
stroke '$vane' stroke-width 5 fill none
line 18,42 118,42
stroke none fill '$vane'
path 'M 112,31 L 132,42 L 112,53 Z'
path 'M 4,32 h 13 l 7,10 l -7,10 h -13 l 7,-10 Z'
stroke none fill '$ink' font Helvetica-Bold font-size 22
text-anchor middle text 68,110 'Twinvane'
MVG
convert -size 588x480 "xc:$face" -draw "$(cat "$work/logo.mvg")" -filter box -resize 147x120 \
    +dither -colors 256 -type Palette -compress none -strip BMP3:logo.bmp
