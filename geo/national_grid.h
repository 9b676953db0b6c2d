#pragma once

// A place by latitude and longitude in degrees, north and east positive.
struct LatLong {
    double latitude = 0;
    double longitude = 0;
};

// National grid easting and northing in metres to latitude and longitude on the Airy ellipsoid
// of the national grid (no datum shift).
LatLong gridToLatLong(double easting, double northing);
