#include "geo/wgs84.h"

#include <dlfcn.h>
#include <proj.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "records/grid_reference.h"

namespace {

// Grid units are 100 m; a position stands for the middle of its square.
constexpr double metresPerUnit = 100;
constexpr double halfUnit = 50;

// PROJ is loaded when the first converter is made, not when a program starts: it brings dozens
// of libraries of its own, and most runs never need a WGS-84 place.
struct ProjLibrary {
    void* handle = dlopen(BELFRIX_PROJ_LIBRARY, RTLD_NOW | RTLD_LOCAL);

    template <typename Function>
    Function* find(const char* name) const
    {
        void* found = handle != nullptr ? dlsym(handle, name) : nullptr;
        if (found == nullptr)
            throw std::runtime_error(std::string("PROJ (") + BELFRIX_PROJ_LIBRARY + ") cannot be loaded");
        return reinterpret_cast<Function*>(found);
    }

    decltype(&proj_context_create) contextCreate = find<decltype(proj_context_create)>("proj_context_create");
    decltype(&proj_context_destroy) contextDestroy = find<decltype(proj_context_destroy)>("proj_context_destroy");
    decltype(&proj_context_errno) contextErrno = find<decltype(proj_context_errno)>("proj_context_errno");
    decltype(&proj_context_errno_string) errnoString =
        find<decltype(proj_context_errno_string)>("proj_context_errno_string");
    decltype(&proj_create_crs_to_crs) crsToCrs = find<decltype(proj_create_crs_to_crs)>("proj_create_crs_to_crs");
    decltype(&proj_destroy) destroy = find<decltype(proj_destroy)>("proj_destroy");
    decltype(&proj_trans) trans = find<decltype(proj_trans)>("proj_trans");
    decltype(&proj_trans_array) transArray = find<decltype(proj_trans_array)>("proj_trans_array");
};

const ProjLibrary& proj()
{
    static const ProjLibrary library;
    return library;
}

// Grid metres of a position on its own grid: the national grid, or the Irish grid for a
// position in the Irish range.
PJ_COORD gridMetres(Position position)
{
    const bool irish = isIrishPosition(position);
    const double x = irish ? position.x - irishOffsetX : position.x;
    const double y = irish ? position.y - irishOffsetY : position.y;
    PJ_COORD coordinate{};
    coordinate.v[0] = x * metresPerUnit + halfUnit;
    coordinate.v[1] = y * metresPerUnit + halfUnit;
    return coordinate;
}

std::optional<Wgs84> latitudeLongitude(PJ_COORD coordinate)
{
    // EPSG:4326 gives latitude first.
    if (!std::isfinite(coordinate.v[0]) || !std::isfinite(coordinate.v[1])) return std::nullopt;
    return Wgs84{coordinate.v[0], coordinate.v[1]};
}

}  // namespace

struct Wgs84Converter::Proj {
    PJ_CONTEXT* context = proj().contextCreate();
    PJ* national = nullptr;
    PJ* irish = nullptr;

    Proj()
    {
        try {
            national = transformation("EPSG:27700");
            irish = transformation("EPSG:29903");
        } catch (...) {
            release();
            throw;
        }
    }
    ~Proj() { release(); }
    Proj(const Proj&) = delete;
    Proj& operator=(const Proj&) = delete;

    PJ* transformation(const char* from) const
    {
        PJ* made = proj().crsToCrs(context, from, "EPSG:4326", nullptr);
        if (made == nullptr)
            throw std::runtime_error(std::string("PROJ cannot transform ") + from + " to WGS-84: " +
                                     proj().errnoString(context, proj().contextErrno(context)));
        return made;
    }
    void release()
    {
        if (irish != nullptr) proj().destroy(irish);
        if (national != nullptr) proj().destroy(national);
        proj().contextDestroy(context);
    }
    PJ* from(Position position) const { return isIrishPosition(position) ? irish : national; }
};

Wgs84Converter::Wgs84Converter() : proj_(std::make_unique<Proj>()) {}

Wgs84Converter::~Wgs84Converter() = default;

std::optional<Wgs84> Wgs84Converter::operator()(Position position) const
{
    if (!position.isSet()) return std::nullopt;
    return latitudeLongitude(proj().trans(proj_->from(position), PJ_FWD, gridMetres(position)));
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
        proj().transArray(irish ? proj_->irish : proj_->national, PJ_FWD, coordinates.size(), coordinates.data());
        for (std::size_t k = 0; k < indexes.size(); ++k) result[indexes[k]] = latitudeLongitude(coordinates[k]);
    }
    return result;
}
