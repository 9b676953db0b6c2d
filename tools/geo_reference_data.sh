#!/bin/sh
# Writes the reference tables that the geo tests check the projections against. The expected
# values come from PROJ (Debian's proj-bin, cs2cs), not from this project's own code:
#   national grid (EPSG:27700) -> OSGB36 latitude/longitude on Airy 1830 (EPSG:4277)
#   latitude/longitude -> UTM on the WGS-84 ellipsoid, zone as given in each row
# Run from anywhere: sh tools/geo_reference_data.sh
set -eu
out="$(dirname "$0")/../tests/geo/data"
mkdir -p "$out"
proj_version=$(cs2cs 2>&1 | head -n 1)

# Rows: easting m, northing m, latitude deg, longitude deg, tolerance deg.
# Tolerance 5e-6 degrees: the truncated inverse series drifts up to about 4e-6 degrees of
# longitude at the far north-west of the grid; PI = 3.14159265 adds under 1e-7 degrees.
{
    echo "# gridToLatLong reference: cs2cs -f %.9f EPSG:27700 EPSG:4277 ($proj_version)"
    echo "# easting_m,northing_m,latitude_deg,longitude_deg,tolerance_deg"
    for point in "400050 100050" "510250 166550" "412350 145650" "150 150" \
                 "650050 1200050" "699950 1249950" \
                 "335050 1167050" "100050 900050" "200050 700050" "300050 300050" \
                 "550050 300050" "600050 400050" "460050 1200050" "190050 1000050"; do
        set -- $point
        result=$(echo "$1 $2" | cs2cs -f %.9f EPSG:27700 EPSG:4277)
        set -- $1 $2 $result
        echo "$1,$2,$3,$4,5e-6"
    done
    for easting in 50 100050 200050 300050 400050 500050 600050 700050; do
        for northing in 50 250050 500050 750050 1000050 1250050; do
            result=$(echo "$easting $northing" | cs2cs -f %.9f EPSG:27700 EPSG:4277)
            set -- $easting $northing $result
            echo "$1,$2,$3,$4,5e-6"
        done
    done
} > "$out/grid_to_latlong.csv"

# Rows: latitude deg, longitude deg, zone text, easting m, northing m, tolerance m.
# The zone column is the zone the conversion must choose (worked out by hand from the zone
# rules); PROJ is told it. Tolerance 2 cm: PI = 3.14159265 makes every angle 1.14e-9 of itself
# too small, so a latitude phi (radians) comes out about phi * 1.14e-9 * 6.4e6 m short in
# northing, 1.1 cm at 84 degrees; the series itself is good to a millimetre inside a zone.
utm_row() {
    # $1 latitude, $2 longitude, $3 zone number, $4 band letter, $5 tolerance
    south=""
    case "$1" in -*) south="+south" ;; esac
    result=$(echo "$2 $1" | cs2cs -f %.4f +proj=longlat +ellps=WGS84 +to +proj=utm +zone=$3 $south +ellps=WGS84)
    set -- "$1" "$2" "$3" "$4" "$5" $result
    echo "$1,$2,$3$4,$6,$7,$5"
}
{
    echo "# latLongToUtm reference: cs2cs -f %.4f +proj=longlat +ellps=WGS84 +to +proj=utm +zone=N [+south] +ellps=WGS84 ($proj_version)"
    echo "# latitude_deg,longitude_deg,zone,easting_m,northing_m,tolerance_m"
    utm_row 51.5 -0.1 30 U 0.02
    utm_row 51.386775 -0.415401 30 U 0.02
    utm_row 49.766186 -7.556449 29 U 0.02
    utm_row 57.0 -6.0 30 V 0.02
    utm_row 58.6 -3.0 30 V 0.02
    utm_row 60.8 -0.9 30 V 0.02
    utm_row 54.0 -6.01 29 U 0.02
    utm_row 54.0 -5.99 30 U 0.02
    utm_row 52.0 1.75 31 U 0.02
    utm_row 55.0 -8.0 29 U 0.02
    utm_row 0.0 -180.0 1 N 0.02
    utm_row 0.0 0.0 31 N 0.02
    utm_row 0.5 2.9 31 N 0.02
    utm_row -33.9 18.4 34 H 0.02
    utm_row -45.0 170.0 59 G 0.02
    utm_row -0.5 -78.5 17 M 0.02
    utm_row 35.0 139.7 54 S 0.02
    utm_row 40.7 -74.0 18 T 0.02
    utm_row 60.0 5.0 32 V 0.02
    utm_row 63.9 3.1 32 V 0.02
    utm_row 75.0 10.0 33 X 0.02
    utm_row 78.0 15.0 33 X 0.02
    utm_row 80.0 30.0 35 X 0.02
    utm_row 79.0 40.0 37 X 0.02
    utm_row 73.0 5.0 31 X 0.02
    utm_row -79.9 -100.0 14 C 0.02
} > "$out/latlong_to_utm.csv"
