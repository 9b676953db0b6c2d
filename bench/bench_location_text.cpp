// Location texts of every tower of a full directory (32767 towers) in each reference system:
// what the details box, Export and the map moves ask for, here all at once.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "compiler/compile_directory.h"
#include "records/grid_reference.h"
#include "geo/location_text.h"
#include "tools/sample_directory.h"

namespace {

const std::vector<Position>& stressPositions()
{
    static const std::vector<Position> positions = [] {
        const TowerDirectory database = compileSource(generateStressDirectory());
        std::vector<Position> result;
        for (const auto& [id, tower] : database.towers()) result.push_back(tower.position);
        return result;
    }();
    return positions;
}

void locationTexts(benchmark::State& state, ReferenceSystem system)
{
    const auto& positions = stressPositions();
    std::size_t characters = 0;
    for (auto _ : state) {
        for (const Position& position : positions) characters += locationText(position, system).size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
    state.counters["towers"] = static_cast<double>(positions.size());
}

void readGridReferences(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (const Position& position : stressPositions()) texts.push_back(formatGridRef(position));
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const auto& text : texts) sum += parseGridRef(text).x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

} // namespace

BENCHMARK_CAPTURE(locationTexts, OS, ReferenceSystem::OS)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locationTexts, UTM, ReferenceSystem::UTM)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locationTexts, LatLong, ReferenceSystem::LatLong)->Unit(benchmark::kMillisecond);
BENCHMARK(readGridReferences)->Unit(benchmark::kMillisecond);
