// The GPS exports of a full directory (32767 displayed towers) into memory, beside the CSV
// export of the same towers in the same run; and the WGS-84 places of every tower through PROJ,
// set up once. Goal: each export of all towers in under 50 ms.
#include <benchmark/benchmark.h>

#include <sstream>

#include "bench/stress_database.h"
#include "geo/wgs84.h"
#include "query/csv_export.h"
#include "query/gps_exports.h"
#include "query/selection.h"
#include "query/user_fields.h"

namespace {

const UserFields noFields;

TowerDatabase& stressDatabase()
{
    static TowerDatabase database = [] {
        TowerDatabase built = makeStressDatabase();
        recomputeDisplayed(built, noFields);
        return built;
    }();
    return database;
}

const Wgs84Converter& converter()
{
    static const Wgs84Converter toWgs84;
    return toWgs84;
}

template <typename Write>
void exportAll(benchmark::State& state, Write write)
{
    const TowerDatabase& database = stressDatabase();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        write(out, database);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["towers"] = static_cast<double>(database.displayedCount());
}

void BM_Wgs84AllTowers(benchmark::State& state)
{
    std::vector<Position> positions;
    for (const auto& [id, tower] : stressDatabase().towers()) positions.push_back(tower.position);
    for (auto _ : state) benchmark::DoNotOptimize(converter().convert(positions));
    state.counters["towers"] = static_cast<double>(positions.size());
}

void BM_ExportCsv(benchmark::State& state)
{
    exportAll(state, [](std::ostream& out, const TowerDatabase& database) { writeCsv(out, database, noFields, ReferenceSystem::OS); });
}

void BM_ExportGpx(benchmark::State& state)
{
    exportAll(state, [](std::ostream& out, const TowerDatabase& database) { writeGpx(out, database, noFields, ReferenceSystem::OS, converter()); });
}

void BM_ExportGeoJson(benchmark::State& state)
{
    exportAll(state,
              [](std::ostream& out, const TowerDatabase& database) { writeGeoJson(out, database, noFields, ReferenceSystem::OS, converter()); });
}

}  // namespace

BENCHMARK(BM_Wgs84AllTowers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGeoJson)->Unit(benchmark::kMillisecond);
