#!/bin/sh
# Installs the build into a scratch root, as the Debian package does, and checks that exactly
# the expected files land there: the programs and the launcher runnable, each PNG icon at the
# size its folder names. Arguments: cmake, the build folder.
set -eu
cmake=$1 build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null

expected=$(mktemp)
sort > "$expected" <<'EOF_FILES'
usr/bin/Belfrix
usr/bin/belfrix
usr/bin/veskcomp
usr/bin/veskquery
usr/share/applications/org.belfrix.Belfrix.desktop
usr/share/belfrix/GSHHG-LICENSE.txt
usr/share/belfrix/map.dat
usr/share/belfrix/vesk.txt
usr/share/icons/hicolor/128x128/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/16x16/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/24x24/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/256x256/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/32x32/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/48x48/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/64x64/apps/org.belfrix.Belfrix.png
usr/share/icons/hicolor/scalable/apps/org.belfrix.Belfrix.svg
usr/share/metainfo/org.belfrix.Belfrix.metainfo.xml
usr/share/mime/packages/org.belfrix.Belfrix.xml
EOF_FILES
failed=0
(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) | diff -u "$expected" - || failed=1
rm -f "$expected"

for program in Belfrix belfrix veskcomp veskquery; do
    [ -x "$root/usr/bin/$program" ] || { echo "usr/bin/$program is not executable"; failed=1; }
done

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for png in "$root"/usr/share/icons/hicolor/*x*/apps/*.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$size" = "$folder" ] || { echo "$png is $size"; failed=1; }
done
exit $failed
