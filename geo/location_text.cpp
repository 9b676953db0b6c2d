// The text of a place in the viewer's chosen reference system: the grid reference itself, or
// the centre of its 100 m square taken through latitude and longitude on Airy 1830 and, for
// UTM, projected on WGS-84 without a datum shift. Irish places have only their grid reference.
#include "geo/location_text.h"

#include "geo/ellipsoid.h"
#include "geo/geo_constants.h"
#include "geo/grid_reference.h"
#include "geo/national_grid.h"
#include "geo/utm.h"

ReferenceSystem referenceSystem = ReferenceSystem::OS;

namespace {

// Degree sign of the Windows-1252 code page.
constexpr char degreeSign = '\xB0';

std::string utmText(const LatLong& place)
{
    const UtmReference utm = latLongToUtm(wgs84Ellipsoid, place.latitude, place.longitude);
    return utm.zone + ":(" + std::to_string(truncateTowardZero(utm.easting / 1000)) + ","
           + std::to_string(truncateTowardZero(utm.northing / 1000)) + ")";
}

std::string latLongText(LatLong place)
{
    char latitudeLetter = 'N';
    if (place.latitude < 0) {
        latitudeLetter = 'S';
        place.latitude = -place.latitude;
    }
    char longitudeLetter = 'E';
    if (place.longitude < 0) {
        longitudeLetter = 'W';
        place.longitude = -place.longitude;
    }
    return formatDms(place.latitude) + latitudeLetter + ' ' + formatDms(place.longitude)
           + longitudeLetter;
}

} // namespace

std::string formatDms(double degrees)
{
    const std::int32_t wholeDegrees = truncateTowardZero(degrees);
    const std::int32_t minutes = truncateTowardZero(60 * degrees) % 60;
    const std::int32_t seconds = truncateTowardZero(3600 * degrees) % 60;
    return std::to_string(wholeDegrees) + degreeSign + std::to_string(minutes) + "'"
           + std::to_string(seconds) + "\"";
}

std::string locationText(Position position)
{
    if (!position.isSet()) return {};
    if (referenceSystem == ReferenceSystem::OS) return formatGridRef(position);
    if (isIrishPosition(position)) return {};

    // Centre of the position's 100 m square, metres from the false origin. Inside the lettered
    // squares this is where the square letters and digits of its reference put it; beyond them
    // the same rule carries on.
    const double easting = 100.0 * position.x + 50;
    const double northing = 100.0 * position.y + 50;
    const LatLong place = gridToLatLong(easting, northing);
    if (referenceSystem == ReferenceSystem::UTM) return utmText(place);
    return latLongText(place);
}
