#!/bin/sh
# Turns the generator's frames into the README's pictures: one PNG per
# frame and one looping animated GIF per view at half size, 400 ms a frame
# (the saver's 2.5 frames per second).
# Usage: resources/make-pictures.sh BUILD_OUTDIR DEST
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_OUTDIR DEST" >&2
    exit 2
fi
src=$1
dest=$2
mkdir -p "$dest"

for n in 00 01 02 03 04 05; do
    # An indexed PNG holds the frame's 256 colours exactly, at half the size.
    convert "$src/BITMAP$n.bmp" -define png:compression-level=9 "PNG8:$dest/frame$n.png"
done

# Each frame keeps its own palette in the GIF (no shared-colour remap),
# so the animation shows exactly the colours the saver shows.
convert -delay 40 -loop 0 "$src/BITMAP00.bmp" "$src/BITMAP01.bmp" "$src/BITMAP02.bmp" \
    -resize 50% "$dest/far-view.gif"
convert -delay 40 -loop 0 "$src/BITMAP03.bmp" "$src/BITMAP04.bmp" "$src/BITMAP05.bmp" \
    -resize 50% "$dest/near-view.gif"
convert "$src/BITMAP170.bmp" -scale 300% "$dest/title.png"
