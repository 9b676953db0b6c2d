#pragma once

#include <cstdint>
#include <iosfwd>

#include "geo/location_text.h"

class TowerDatabase;
class UserFields;
class Wgs84Converter;

// The displayed towers for phones, satnavs and map programs, in display order, at their true
// WGS-84 places. Both formats are UTF-8. A tower without a position has no place to be shown at
// and is left out.
struct GpsExportCounts {
    std::int32_t written = 0;
    std::int32_t leftOut = 0;  // towers without a position
};

// GPX 1.1: a waypoint per tower, latitude and longitude to six decimals, the place as its name,
// the full description, the web page as its link and "N bells" as its type. Towers left out are
// counted in a comment.
GpsExportCounts writeGpx(std::ostream& out, const TowerDatabase& database, const UserFields& fields,
                         ReferenceSystem system, const Wgs84Converter& toWgs84);

// GeoJSON (RFC 7946): a FeatureCollection of one Point per tower whose properties are the
// columns of the CSV export and the TowerId.
GpsExportCounts writeGeoJson(std::ostream& out, const TowerDatabase& database, const UserFields& fields,
                             ReferenceSystem system, const Wgs84Converter& toWgs84);
