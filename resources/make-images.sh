#!/bin/sh
# SPDX-License-Identifier: MIT
# Draws the application icon (twinvane.png, 32 x 32) and the About box's
# built-in logo (logo.bmp, 147 x 120, 256 colours) with ImageMagick. Both are
# committed; run this by hand after changing a drawing, from any folder.
#
# The motif: two overlapping document pages crossed by a weather-vane arrow.
# Each picture is drawn several times larger and scaled down, which gives
# smooth edges; coordinates are in the final picture's pixels.
set -eu
cd "$(dirname "$0")"

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

cat >"$work/icon.mvg" <<MVG
affine 8,0,0,8,0,0
stroke '$ink' stroke-width 1 stroke-linejoin round
fill '$back'  path 'M 2.5,1.5 h 14 l 5,5 v 19 h -19 Z'
fill '$front' path 'M 10.5,7.5 h 14 l 5,5 v 19 h -19 Z'
stroke '$lines' stroke-width 1.2 stroke-linecap round
line 5,5 11,5
line 14,21 25,21
line 14,24.5 25,24.5
line 14,28 21,28
stroke '$vane' stroke-width 2 fill none
line 5,15 26,15
stroke none fill '$vane'
path 'M 24,10 L 31,15 L 24,20 Z'
path 'M 0.5,10.5 h 4.5 l 3,4.5 l -3,4.5 h -4.5 l 3,-4.5 Z'
MVG
convert -size 256x256 xc:none -draw "$(cat "$work/icon.mvg")" -filter box -resize 32x32 \
    -strip PNG32:twinvane.png

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
