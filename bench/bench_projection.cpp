// The map references' two projections beside PROJ's proj_trans on the same points, one point a
// call as the location texts ask for them: the national grid to latitude and longitude (Airy,
// inverse Transverse Mercator) for the centre of every tower's 100 m square of the full directory
// (32767 towers, Irish ones left out), and those latitudes and longitudes to UTM on WGS-84.
// Goals: at least 3 times PROJ's speed for the first, at least 2 times for the second; the
// counters give each ratio from the same run. Both sides must agree, which is checked first.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "compiler/compile_directory.h"
#include "geo/ellipsoid.h"
#include "records/grid_reference.h"
#include "geo/national_grid.h"
#include "geo/utm.h"
#include "tools/sample_directory.h"

namespace {

struct GridPoint {
    double easting = 0;
    double northing = 0;
};

struct Points {
    std::vector<GridPoint> grid;
    std::vector<LatLong> places;
};

const Points& stressPoints()
{
    static const Points points = [] {
        Points made;
        const TowerDirectory database = compileSource(generateStressDirectory());
        for (const auto& [id, tower] : database.towers()) {
            if (!tower.position.isSet() || isIrishPosition(tower.position)) continue;
            const GridPoint point{100.0 * tower.position.x + 50, 100.0 * tower.position.y + 50};
            made.grid.push_back(point);
            made.places.push_back(gridToLatLong(point.easting, point.northing));
        }
        return made;
    }();
    return points;
}

// One PROJ transformation, made from a pipeline string without the database of named systems.
class Projection {
public:
    explicit Projection(const std::string& pipeline)
        : context_(proj_context_create()), pj_(proj_create(context_, pipeline.c_str()))
    {
        if (pj_ == nullptr) throw std::runtime_error("PROJ refused " + pipeline);
    }
    ~Projection()
    {
        proj_destroy(pj_);
        proj_context_destroy(context_);
    }
    Projection(const Projection&) = delete;
    Projection& operator=(const Projection&) = delete;

    PJ_COORD forward(double first, double second) const
    {
        return proj_trans(pj_, PJ_FWD, proj_coord(first, second, 0, 0));
    }

private:
    PJ_CONTEXT* context_;
    PJ* pj_;
};

// Grid metres in, latitude and longitude in degrees out, on the national grid's own Airy figure.
const Projection& gridToDegrees()
{
    static const Projection projection(
        "+proj=pipeline +step +inv +proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 "
        "+y_0=-100000 +a=6377563.396 +b=6356256.910 +step +proj=unitconvert +xy_in=rad "
        "+xy_out=deg");
    return projection;
}

// Longitude and latitude in degrees in, UTM metres of the zone out, on WGS-84.
const Projection& utmZone(int zone)
{
    static std::map<int, std::unique_ptr<Projection>> zones;
    auto& projection = zones[zone];
    if (!projection)
        projection = std::make_unique<Projection>(
            "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=utm +zone="
            + std::to_string(zone) + " +ellps=WGS84");
    return *projection;
}

int zoneOf(const LatLong& place) { return static_cast<int>((place.longitude + 180) / 6) + 1; }

// The largest difference between the two sides, so that a fast wrong answer shows.
void checkAgreement(benchmark::State& state)
{
    const Points& points = stressPoints();
    double degrees = 0;
    double metres = 0;
    for (auto _ : state)
    for (std::size_t i = 0; i < points.grid.size(); ++i) {
        const PJ_COORD theirs = gridToDegrees().forward(points.grid[i].easting, points.grid[i].northing);
        const LatLong& ours = points.places[i];
        degrees = std::max({degrees, std::abs(theirs.lp.lam - ours.longitude),
                            std::abs(theirs.lp.phi - ours.latitude)});
        const UtmReference utm = latLongToUtm(wgs84Ellipsoid, ours.latitude, ours.longitude);
        const PJ_COORD theirUtm = utmZone(zoneOf(ours)).forward(ours.longitude, ours.latitude);
        metres = std::max({metres, std::abs(theirUtm.enu.e - utm.easting),
                           std::abs(theirUtm.enu.n - utm.northing)});
    }
    if (degrees > 1e-5 || metres > 1.0) state.SkipWithError("the two sides disagree");
    state.counters["max_degrees_apart"] = degrees;
    state.counters["max_metres_apart"] = metres;
}

double medianSeconds(std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

template <typename Work>
double secondsFor(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration times both sides over every point, one after the other, so that both meet the
// same load on the machine; the ratio is PROJ's median time over ours.
template <typename Ours, typename Theirs>
void compare(benchmark::State& state, Ours ours, Theirs theirs)
{
    std::vector<double> ourSeconds;
    std::vector<double> theirSeconds;
    for (auto _ : state) {
        ourSeconds.push_back(secondsFor(ours));
        theirSeconds.push_back(secondsFor(theirs));
    }
    const double points = static_cast<double>(stressPoints().grid.size());
    state.counters["ours_ns_per_point"] = medianSeconds(ourSeconds) / points * 1e9;
    state.counters["proj_ns_per_point"] = medianSeconds(theirSeconds) / points * 1e9;
    state.counters["times_faster_than_proj"] = medianSeconds(theirSeconds) / medianSeconds(ourSeconds);
}

void BM_GridToLatLong(benchmark::State& state)
{
    const Points& points = stressPoints();
    double sum = 0;
    compare(
        state,
        [&] {
            for (const GridPoint& point : points.grid) {
                const LatLong place = gridToLatLong(point.easting, point.northing);
                sum += place.latitude + place.longitude;
            }
        },
        [&] {
            for (const GridPoint& point : points.grid) {
                const PJ_COORD place = gridToDegrees().forward(point.easting, point.northing);
                sum += place.lp.phi + place.lp.lam;
            }
        });
    benchmark::DoNotOptimize(sum);
}

void BM_LatLongToUtm(benchmark::State& state)
{
    const Points& points = stressPoints();
    double sum = 0;
    compare(
        state,
        [&] {
            for (const LatLong& place : points.places) {
                const UtmReference utm = latLongToUtm(wgs84Ellipsoid, place.latitude, place.longitude);
                sum += utm.easting + utm.northing;
            }
        },
        [&] {
            for (const LatLong& place : points.places) {
                const PJ_COORD utm = utmZone(zoneOf(place)).forward(place.longitude, place.latitude);
                sum += utm.enu.e + utm.enu.n;
            }
        });
    benchmark::DoNotOptimize(sum);
}

}  // namespace

BENCHMARK(checkAgreement)->Iterations(1);
BENCHMARK(BM_GridToLatLong)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_LatLongToUtm)->Unit(benchmark::kMillisecond)->Iterations(30);
