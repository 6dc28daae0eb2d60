#!/usr/bin/env bash
# Makes data/windows/bestinshow.ico, the Windows icon of the program, from its drawing
# (data/org.bestinshow.BestInShow.svg): one image for each size Explorer, the Start menu and the
# taskbar use, 16, 24, 32 and 48 pixels as bitmaps and 256 pixels as PNG. The icon is committed,
# since the Windows build cannot draw the SVG itself; run this again after changing the drawing.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 24 32 48 256; do
    rsvg-convert -w "$size" -h "$size" -o "$work/$size.png" data/org.bestinshow.BestInShow.svg
    images+=("$work/$size.png")
done
icotool -c -o data/windows/bestinshow.ico --raw="$work/256.png" "${images[@]:0:4}"
icotool -l data/windows/bestinshow.ico
