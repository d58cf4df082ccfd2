#!/usr/bin/env bash
# Draws the menu icon at the sizes menus and software centres ask for. The 29x27 logo the
# windows show is pixel art; scaled up it turns into blocks, so the icon is drawn anew in
# the logo's colours and shape: a white V over a yellow bar on a blue tile.
# Run by hand after a change (needs ImageMagick); the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 256x256 xc:none \
    -fill '#3f65fe' -stroke '#1e32a0' -strokewidth 12 -draw 'roundrectangle 12,20 244,236 36,36' \
    -fill none -stroke white -strokewidth 30 \
    -draw 'stroke-linecap round stroke-linejoin round polyline 66,52 128,166 190,52' \
    -draw 'stroke-linecap round line 128,160 128,180' \
    -stroke none -fill '#ffc828' -draw 'roundrectangle 66,196 190,212 4,4' \
    -depth 8 -strip -define png:exclude-chunks=date,time vokabo-256.png
convert vokabo-256.png -filter Lanczos -resize 48x48 \
    -depth 8 -strip -define png:exclude-chunks=date,time vokabo-48.png
# The Windows icon, at the sizes Explorer and the screen saver settings ask for.
convert vokabo-256.png -filter Lanczos -define icon:auto-resize=256,48,32,16 vokabo.ico
