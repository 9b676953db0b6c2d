#include "geo/wgs84.h"

#include <proj.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "geo/grid_reference.h"

namespace {

// Grid units are 100 m; a position stands for the middle of its square.
constexpr double metresPerUnit = 100;
constexpr double halfUnit = 50;

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct TransformationDeleter {
    void operator()(PJ* transformation) const { proj_destroy(transformation); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextDeleter>;
using Transformation = std::unique_ptr<PJ, TransformationDeleter>;

Transformation makeTransformation(PJ_CONTEXT* context, const char* from)
{
    Transformation transformation(proj_create_crs_to_crs(context, from, "EPSG:4326", nullptr));
    if (!transformation)
        throw std::runtime_error(std::string("PROJ cannot transform ") + from + " to WGS-84: " +
                                 proj_context_errno_string(context, proj_context_errno(context)));
    return transformation;
}

// Grid metres of a position on its own grid: the national grid, or the Irish grid for a
// position in the Irish range.
PJ_COORD gridMetres(Position position)
{
    const bool irish = isIrishPosition(position);
    const double x = irish ? position.x - irishOffsetX : position.x;
    const double y = irish ? position.y - irishOffsetY : position.y;
    return proj_coord(x * metresPerUnit + halfUnit, y * metresPerUnit + halfUnit, 0, 0);
}

std::optional<Wgs84> latitudeLongitude(PJ_COORD coordinate)
{
    // EPSG:4326 gives latitude first.
    if (!std::isfinite(coordinate.v[0]) || !std::isfinite(coordinate.v[1])) return std::nullopt;
    return Wgs84{coordinate.v[0], coordinate.v[1]};
}

}  // namespace

struct Wgs84Converter::Proj {
    Context context{proj_context_create()};
    Transformation national = makeTransformation(context.get(), "EPSG:27700");
    Transformation irish = makeTransformation(context.get(), "EPSG:29903");

    PJ* from(Position position) const { return isIrishPosition(position) ? irish.get() : national.get(); }
};

Wgs84Converter::Wgs84Converter() : proj_(std::make_unique<Proj>()) {}

Wgs84Converter::~Wgs84Converter() = default;

std::optional<Wgs84> Wgs84Converter::operator()(Position position) const
{
    if (!position.isSet()) return std::nullopt;
    return latitudeLongitude(proj_trans(proj_->from(position), PJ_FWD, gridMetres(position)));
}

std::vector<std::optional<Wgs84>> Wgs84Converter::convert(std::span<const Position> positions) const
{
    // Each grid's positions go through PROJ as one array.
    std::vector<std::optional<Wgs84>> result(positions.size());
    for (const bool irish : {false, true}) {
        std::vector<std::size_t> indexes;
        std::vector<PJ_COORD> coordinates;
        for (std::size_t i = 0; i < positions.size(); ++i) {
            if (!positions[i].isSet() || isIrishPosition(positions[i]) != irish) continue;
            indexes.push_back(i);
            coordinates.push_back(gridMetres(positions[i]));
        }
        if (coordinates.empty()) continue;
        PJ* transformation = irish ? proj_->irish.get() : proj_->national.get();
        proj_trans_array(transformation, PJ_FWD, coordinates.size(), coordinates.data());
        for (std::size_t k = 0; k < indexes.size(); ++k) result[indexes[k]] = latitudeLongitude(coordinates[k]);
    }
    return result;
}
