// The text of a place in the viewer's chosen reference system: the grid reference itself, or
// the centre of its 100 m square taken through latitude and longitude on Airy 1830 and, for
// UTM, projected on WGS-84 without a datum shift. Irish places have only their grid reference.
#include "geo/location_text.h"

#include "geo/ellipsoid.h"
#include "geo/geo_constants.h"
#include "geo/national_grid.h"
#include "geo/utm.h"
#include "records/grid_reference.h"
#include "records/number_text.h"

namespace {

// Degree sign of the Windows-1252 code page.
constexpr char degreeSign = '\xB0';

void appendUtm(std::string& text, const LatLong& place)
{
    const UtmReference utm = latLongToUtm(wgs84Ellipsoid, place.latitude, place.longitude);
    text += utm.zone;
    text += ":(";
    appendDecimal(text, clampToInt32(utm.easting / 1000));
    text += ',';
    appendDecimal(text, clampToInt32(utm.northing / 1000));
    text += ')';
}

void appendLatLong(std::string& text, LatLong place)
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
    appendDms(text, place.latitude);
    text += latitudeLetter;
    text += ' ';
    appendDms(text, place.longitude);
    text += longitudeLetter;
}

} // namespace

void appendDms(std::string& text, double degrees)
{
    appendDecimal(text, clampToInt32(degrees));
    text += degreeSign;
    appendDecimal(text, clampToInt32(60 * degrees) % 60);
    text += '\'';
    appendDecimal(text, clampToInt32(3600 * degrees) % 60);
    text += '"';
}

std::string formatDms(double degrees)
{
    std::string text;
    appendDms(text, degrees);
    return text;
}

std::string locationText(Position position, ReferenceSystem system)
{
    std::string text;
    appendLocationText(text, position, system);
    return text;
}

void appendLocationText(std::string& text, Position position, ReferenceSystem system)
{
    if (!position.isSet()) return;
    if (system == ReferenceSystem::OS) return appendGridRef(text, position);
    if (isIrishPosition(position)) return;

    // Centre of the position's 100 m square, metres from the false origin. Inside the lettered
    // squares this is where the square letters and digits of its reference put it; beyond them
    // the same rule carries on.
    const double easting = 100.0 * position.x + 50;
    const double northing = 100.0 * position.y + 50;
    const LatLong place = gridToLatLong(easting, northing);
    if (system == ReferenceSystem::UTM) return appendUtm(text, place);
    appendLatLong(text, place);
}
