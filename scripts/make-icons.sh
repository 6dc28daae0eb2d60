#!/usr/bin/env bash
# Makes the program's icons from its drawing (data/org.bestinshow.BestInShow.svg), so that the
# program never draws an SVG itself:
# - data/windows/bestinshow.ico, the Windows icon: one image for each size Explorer, the Start
#   menu and the taskbar use, 16, 24, 32 and 48 pixels as bitmaps and 256 pixels as PNG;
# - data/icons/SIZE.png, the window icon on Linux, in the sizes the X11 window manager is given
#   (16, 32, 64 and 128 pixels). The desktop's menu and launcher take the drawing itself;
# - data/windows/installer-pages.bmp, the picture at the side of the Windows installer's welcome
#   and finish pages: the drawing at 128 pixels on a light blue panel of the size those pages
#   show (164 by 314 pixels), as the uncompressed 24-bit bitmap the installer takes.
# The pictures are committed; run this again after changing the drawing. Needs rsvg-convert
# (librsvg2-bin), icotool (icoutils), optipng and ImageMagick's convert (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."

drawing=data/org.bestinshow.BestInShow.svg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 24 32 48 256; do
    rsvg-convert -w "$size" -h "$size" -o "$work/$size.png" "$drawing"
    images+=("$work/$size.png")
done
icotool -c -o data/windows/bestinshow.ico --raw="$work/256.png" "${images[@]:0:4}"
icotool -l data/windows/bestinshow.ico

mkdir -p data/icons
for size in 16 32 64 128; do
    rsvg-convert -w "$size" -h "$size" -o "data/icons/$size.png" "$drawing"
    optipng -quiet -o7 -strip all "data/icons/$size.png"
done
ls -l data/icons

# The installer's panel fades from white at the top, where the page's title stands beside it, to
# light blue; the drawing stands in its upper half.
rsvg-convert -w 128 -h 128 -o "$work/panel-drawing.png" "$drawing"
convert -size 164x314 gradient:'#ffffff-#c9daf8' "$work/panel-drawing.png" \
    -gravity north -geometry +0+60 -composite -type TrueColor BMP3:data/windows/installer-pages.bmp
ls -l data/windows/installer-pages.bmp
