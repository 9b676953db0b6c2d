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

// The footpoint series' coefficients of sin 2μ, sin 4μ and sin 6μ, from e1, which depends on
// the eccentricity alone; worked out on first use.
struct FootpointSeries {
    double sin2mu;
    double sin4mu;
    double sin6mu;
};

const FootpointSeries& footpointSeries()
{
    static const FootpointSeries series = [] {
        const double e1 = (1 - std::sqrt(1 - e2)) / (1 + std::sqrt(1 - e2));
        return FootpointSeries{3 * e1 / 2 - 27 * e1 * e1 * e1 / 32,
                               21 * e1 * e1 / 16 - 55 * e1 * e1 * e1 * e1 / 32,
                               151 * e1 * e1 * e1 / 96};
    }();
    return series;
}

} // namespace

LatLong gridToLatLong(double easting, double northing)
{
    const double x = easting - E0;
    const double y = northing - N0;

    const double M = y / k0 + trueOriginArc();
    const double mu = M / (a * (1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256));
    const FootpointSeries& series = footpointSeries();

    // sin 4μ and sin 6μ by the double- and triple-angle formulas from sin 2μ and cos 2μ.
    const double sin2mu = std::sin(2 * mu);
    const double cos2mu = std::cos(2 * mu);
    const double sin4mu = 2 * sin2mu * cos2mu;
    const double sin6mu = sin2mu * (3 - 4 * sin2mu * sin2mu);
    const double phi1 = mu + series.sin2mu * sin2mu + series.sin4mu * sin4mu + series.sin6mu * sin6mu;

    // Each function of φ1 once; w = 1 - e² sin²φ1, so that N1 = a / √w and R1 = a (1 - e²) / w^1.5.
    const double sinPhi1 = std::sin(phi1);
    const double cosPhi1 = std::cos(phi1);
    const double tanPhi1 = sinPhi1 / cosPhi1;
    const double w = 1 - e2 * sinPhi1 * sinPhi1;
    const double sqrtW = std::sqrt(w);
    const double t1 = tanPhi1 * tanPhi1;
    const double c1 = ep2 * cosPhi1 * cosPhi1;
    // N1 tan φ1 / R1 is tan φ1 w / (1 - e²), and D = x / (N1 k0) is x √w / (a k0).
    const double n1TanPhi1OverR1 = tanPhi1 * w * (1 / (1 - e2));
    const double d = x * sqrtW * (1 / (a * k0));
    const double d2 = d * d;

    LatLong place;
    place.latitude =
        (phi1 - n1TanPhi1OverR1
                    * (d2 / 2
                       - (5 + 3 * t1 + 10 * c1 - 4 * c1 * c1 - 9 * ep2) * d2 * d2 * (1.0 / 24)
                       + (61 + 90 * t1 + 298 * c1 + 45 * t1 * t1 - 252 * ep2 - 3 * c1 * c1)
                             * d2 * d2 * d2 * (1.0 / 720)))
        * rad2deg;
    place.longitude =
        lambda0Degrees
        + ((d - (1 + 2 * t1 + c1) * d2 * d * (1.0 / 6)
            + (5 - 2 * c1 + 28 * t1 - 3 * c1 * c1 + 8 * ep2 + 24 * t1 * t1) * d2 * d2 * d * (1.0 / 120))
           / cosPhi1)
              * rad2deg;
    return place;
}
