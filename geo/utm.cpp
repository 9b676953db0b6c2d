// Latitude and longitude to Universal Transverse Mercator: the forward Transverse Mercator
// series in powers of A = cos φ (λ − λ0) to A⁶, with the meridian arc as a series in e² to e⁶
// (Snyder, Map Projections: A Working Manual, USGS Professional Paper 1395, 1987, the
// ellipsoidal Transverse Mercator). Inside a zone the series agrees with the exact projection
// to about a millimetre. Angles rest on PI = 3.14159265, 1.14e-9 of itself short of π, which
// puts northings up to about a centimetre south at high latitudes.
// Zones 32V and 31X to 37X follow the grid's exceptions for south-west Norway and Svalbard.
#include "geo/utm.h"

#include <cmath>

#include "records/number_text.h"
#include "geo/ellipsoid.h"
#include "geo/geo_constants.h"
#include "records/number_text.h"

namespace {

constexpr double k0 = 0.9996;

// Zone number of a normalised longitude L, exceptions applied.
std::int32_t utmZoneNumber(double latitude, double L)
{
    std::int32_t zone = clampToInt32(std::trunc((L + 180) / 6) + 1);
    if (latitude >= 56.0 && latitude < 64.0 && L >= 3.0 && L < 12.0) zone = 32;
    if (latitude >= 72.0 && latitude < 84.0) {
        if (L >= 0.0 && L < 9.0) zone = 31;
        else if (L >= 9.0 && L < 21.0) zone = 33;
        else if (L >= 21.0 && L < 33.0) zone = 35;
        else if (L >= 33.0 && L < 42.0) zone = 37;
    }
    return zone;
}

} // namespace

char utmBandLetter(double latitude)
{
    if (latitude <= 84 && latitude >= 72) return 'X';
    if (latitude < 72 && latitude >= 64) return 'W';
    if (latitude < 64 && latitude >= 56) return 'V';
    if (latitude < 56 && latitude >= 48) return 'U';
    if (latitude < 48 && latitude >= 40) return 'T';
    if (latitude < 40 && latitude >= 32) return 'S';
    if (latitude < 32 && latitude >= 24) return 'R';
    if (latitude < 24 && latitude >= 16) return 'Q';
    if (latitude < 16 && latitude >= 8) return 'P';
    if (latitude < 8 && latitude >= 0) return 'N';
    if (latitude < 0 && latitude >= -8) return 'M';
    if (latitude < -8 && latitude >= -16) return 'L';
    if (latitude < -16 && latitude >= -24) return 'K';
    if (latitude < -24 && latitude >= -32) return 'J';
    if (latitude < -32 && latitude >= -40) return 'H';
    if (latitude < -40 && latitude >= -48) return 'G';
    if (latitude < -48 && latitude >= -56) return 'F';
    if (latitude < -56 && latitude >= -64) return 'E';
    if (latitude < -64 && latitude >= -72) return 'D';
    if (latitude < -72 && latitude >= -80) return 'C';
    return 'Z';
}

double meridianArc(double a, double e2, double phi)
{
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    // sin 2φ, sin 4φ and sin 6φ by the double- and triple-angle formulas from sin φ and cos φ.
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double sin2phi = 2 * sinPhi * cosPhi;
    const double cos2phi = cosPhi * cosPhi - sinPhi * sinPhi;
    const double sin4phi = 2 * sin2phi * cos2phi;
    const double sin6phi = sin2phi * (3 - 4 * sin2phi * sin2phi);
    return a * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi
                - (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * sin2phi
                + (15 * e4 / 256 + 45 * e6 / 1024) * sin4phi
                - (35 * e6 / 3072) * sin6phi);
}

UtmReference latLongToUtm(std::int32_t ellipsoidIndex, double latitude, double longitude)
{
    const Ellipsoid& ellipsoid = ellipsoidTable.at(static_cast<std::size_t>(ellipsoidIndex));
    const double a = ellipsoid.equatorialRadius;
    const double e2 = ellipsoid.eccentricitySquared;

    // Longitude brought into -180 up to 180 by whole turns; 180 itself becomes -180.
    const double t = std::trunc((longitude + 180) / 360);
    const double L = (longitude + 180) - t * 360 - 180;

    const double phi = latitude * deg2rad;
    const double lambda = L * deg2rad;

    const std::int32_t zone = utmZoneNumber(latitude, L);
    // In doubles: a longitude far outside -180 to 180 gives a zone number near the 32-bit ends.
    const double lambda0 = ((zone - 1.0) * 6 - 180 + 3) * deg2rad;

    UtmReference reference;
    appendDecimal(reference.zone, zone);
    reference.zone += utmBandLetter(latitude);

    // Each function of φ once: the terms below use them several times over.
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = sinPhi / cosPhi;
    const double ep2 = e2 / (1 - e2);
    const double N = a / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const double T = tanPhi * tanPhi;
    const double C = ep2 * cosPhi * cosPhi;
    const double A = cosPhi * (lambda - lambda0);
    const double M = meridianArc(a, e2, phi);

    reference.easting = k0 * N * (A + (1 - T + C) * A * A * A / 6
                                  + (5 - 18 * T + T * T + 72 * C - 58 * ep2) * A * A * A * A * A / 120)
                        + 500000.0;
    reference.northing = k0 * (M + N * tanPhi
                                       * (A * A / 2 + (5 - T + 9 * C + 4 * C * C) * A * A * A * A / 24
                                          + (61 - 58 * T + T * T + 600 * C - 330 * ep2)
                                                * A * A * A * A * A * A / 720));
    if (latitude < 0) reference.northing += 10000000.0;
    return reference;
}
