#pragma once

#include <cstdint>
#include <string>

// A UTM reference: zone number and latitude band letter as "%d%c" writes them ("30U"), and the
// northing and easting in metres within that zone.
struct UtmReference {
    std::string zone;
    double northing = 0;
    double easting = 0;
};

// Latitude and longitude in degrees (north and east positive) on the ellipsoid of row
// ellipsoidIndex of ellipsoidTable (0 to 23) to UTM. No datum shift is made.
UtmReference latLongToUtm(std::int32_t ellipsoidIndex, double latitude, double longitude);

// The UTM latitude band: 'C' to 'X' from 80 S to 84 N, 'Z' outside.
char utmBandLetter(double latitude);

// Length of the meridian from the equator to latitude phi (radians) on the ellipsoid of
// semi-major axis a and eccentricity squared e2, in the units of a.
double meridianArc(double a, double e2, double phi);
