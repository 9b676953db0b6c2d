#!/bin/sh
# Draws the application icon from its SVG: the PNG sizes of the hicolor icon theme beside it, and
# the 32 px PNG as bytes compiled into the viewer (viewer/app_icon_png.inc) for the window and
# the About box, and the Windows program's icon file (viewer/app_icon.ico, 16 to 256 px). Needs
# rsvg-convert, xxd and convert (apt-get install librsvg2-bin xxd imagemagick). Not run by the
# build; run it from anywhere after changing the SVG and commit what it writes.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/package/icons/hicolor
svg=$icons/scalable/apps/org.belfrix.Belfrix.svg
for program in rsvg-convert xxd convert; do
    command -v "$program" >/dev/null || { echo "make_icons: $program not found" >&2; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$icons/${size}x$size/apps"
    rsvg-convert --width "$size" --height "$size" "$svg" \
        --output "$icons/${size}x$size/apps/org.belfrix.Belfrix.png"
done
{
    echo "// Written by tools/make_icons.sh: the 32 px PNG of package/icons/."
    echo "static const unsigned char app_icon_png[] = {"
    xxd -i < "$icons/32x32/apps/org.belfrix.Belfrix.png"
    echo "};"
} > "$root/viewer/app_icon_png.inc"
convert $(for size in 16 24 32 48 256; do echo "$icons/${size}x$size/apps/org.belfrix.Belfrix.png"; done) \
    "$root/viewer/app_icon.ico"
