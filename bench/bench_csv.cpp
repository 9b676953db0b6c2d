// The Export of a full directory (32767 displayed towers) into memory.
#include <benchmark/benchmark.h>

#include <sstream>

#include "bench/stress_database.h"
#include "query/csv_export.h"
#include "query/selection.h"
#include "query/user_fields.h"

namespace {

void BM_WriteCsv(benchmark::State& state)
{
    static UserFields fields;
    static TowerDatabase database = [] {
        TowerDatabase built = makeStressDatabase();
        recomputeDisplayed(built, fields);
        fields[0] = {"Visited", FieldType::Date, {}, {}};
        for (const auto& [id, tower] : built.towers())
            if (id % 2 == 0) fields[0].numbers[id] = 140000 + id;
        return built;
    }();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        writeCsv(out, database, fields, ReferenceSystem::OS);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["rows"] = static_cast<double>(database.displayedCount());
}

}  // namespace

BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond);
