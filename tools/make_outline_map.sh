#!/bin/sh
# Rebuilds data/map.dat from the GSHHG 2.3.7 high-resolution shorelines, lakes, rivers and
# borders. Needs Debian's gmt, gmt-gshhg-high and proj-bin (apt-get install gmt gmt-gshhg-high
# proj-bin) and python3; the same versions give the same bytes. Not run by the build.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for program in gmt cs2cs python3; do
    command -v "$program" >/dev/null || { echo "make_outline_map: $program not found" >&2; exit 1; }
done
exec python3 "$here/make_outline_map.py" "${1:-$here/../data/map.dat}"
