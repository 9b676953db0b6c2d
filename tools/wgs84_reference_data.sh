#!/bin/sh
# Writes the table the WGS-84 tests check against. The expected values come from PROJ's own
# command-line tool (Debian's proj-bin, cs2cs) with its default, best available transformation:
#   national grid positions: EPSG:27700 -> EPSG:4326
#   positions in the Irish range: Irish grid (EPSG:29903, the Irish offset taken off) -> EPSG:4326
# A position (100 m units) stands for the middle of its square: 100 x + 50, 100 y + 50 metres.
# Run from anywhere: sh tools/wgs84_reference_data.sh
set -eu
out="$(dirname "$0")/../tests/geo/data"
mkdir -p "$out"
proj_version=$(cs2cs 2>&1 | head -n 1)
irish_x=-1977
irish_y=1672
{
    echo "# WGS-84 reference: cs2cs -f %.9f, EPSG:27700 or EPSG:29903 to EPSG:4326 ($proj_version)"
    echo "# x,y (100 m units, national plane),latitude_deg,longitude_deg"
    # London, Hampshire, Cornwall, Kent coast, Norfolk, Snowdonia, York, Cumbria, Edinburgh,
    # Inverness, Lewis, Shetland, the Isle of Man; then Dublin, Cork, Galway, Belfast, Donegal,
    # Kerry (Irish references, moved into the national plane).
    for position in "5102 1665" "4123 1456" "1700 300" "6300 1400" "6200 3000" "2650 3550" \
                    "4600 4520" "3300 5000" "3250 6730" "2660 8450" "1400 9300" "4500 11500" \
                    "2350 4850" \
                    "1176 4012" "-302 2387" "-682 3927" "1353 5412" "-51 5460" "-1017 2582"; do
        set -- $position
        x=$1; y=$2
        if [ "$x" -gt "$irish_x" ] && [ "$x" -lt $((irish_x + 4000)) ] && \
           [ "$y" -gt "$irish_y" ] && [ "$y" -lt $((irish_y + 5000)) ]; then
            result=$(echo "$(( (x - irish_x) * 100 + 50 )) $(( (y - irish_y) * 100 + 50 ))" |
                     cs2cs -f %.9f EPSG:29903 EPSG:4326)
        else
            result=$(echo "$(( x * 100 + 50 )) $(( y * 100 + 50 ))" | cs2cs -f %.9f EPSG:27700 EPSG:4326)
        fi
        set -- $result
        echo "$x,$y,$1,$2"
    done
} > "$out/wgs84_positions.csv"
