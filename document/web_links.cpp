#include "document/web_links.h"

#include <cstdint>

#include "records/number_text.h"

namespace {

std::int64_t gridMetres(std::int32_t units) { return std::int64_t{units} * 100 + 50; }

}  // namespace

std::string streetmapLink(Position position)
{
    return "http://" + std::string(streetmapHost) + "/streetmap.dll?grid2map?X=" +
           std::to_string(gridMetres(position.x)) + "&Y=" + std::to_string(gridMetres(position.y)) +
           "&arrow=Y&nolocal=Y";
}

std::string multimapLink(Position position)
{
    return "http://" + std::string(multimapHost) + "/map/browse.cgi?GridE=" +
           std::to_string(gridMetres(position.x)) + "&GridN=" +
           std::to_string(gridMetres(position.y)) + "&db=grid";
}

std::string openStreetMapLink(Wgs84 place)
{
    std::string latitude;
    std::string longitude;
    appendSixDecimals(latitude, place.latitude);
    appendSixDecimals(longitude, place.longitude);
    return "https://www.openstreetmap.org/?mlat=" + latitude + "&mlon=" + longitude + "#map=16/" +
           latitude + "/" + longitude;
}

std::string replaceChar(std::string_view text, char from, char to)
{
    std::string result(text);
    for (char& c : result)
        if (c == from) c = to;
    return result;
}

std::string browserCommandLine(std::string_view browserCommand, std::string_view address)
{
    return std::string(browserCommand) + '"' + replaceChar(address, '+', '_') + '"';
}

std::string browserCommandFrom(std::string_view openCommand)
{
    const auto blank = openCommand.find(' ');
    if (blank == std::string_view::npos) return {};
    return std::string(openCommand.substr(0, blank + 1));
}
