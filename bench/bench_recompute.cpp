// The recompute of the displayed towers on a full directory (32767 towers), beside a plain
// std::stable_sort of the same towers by towerLess: the recompute should stay within 1.5 times
// the time of that sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench/stress_database.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/user_fields.h"

namespace {

TowerDatabase& stressDatabase()
{
    static TowerDatabase database = makeStressDatabase();
    return database;
}

// A Number field holding a value for two towers in three, so that its key meets both values and
// missing ones.
const UserFields& stressFields()
{
    static const UserFields fields = [] {
        UserFields built;
        built[0] = {"Count", FieldType::Number, {}, {}};
        for (const auto& [id, tower] : stressDatabase().towers())
            if (id % 3 != 0) built[0].numbers[id] = (id * 7919) % 1000;
        return built;
    }();
    return fields;
}

struct Setup {
    std::array<SortKey, 3> keys;
    bool fiveSteps;
};

const std::array<SortKey, 3> defaultKeys = {SortKey{false, sortPlace, false}, SortKey{false, sortCounty, false},
                                            SortKey{false, sortDedication, false}};
const SortKey none{false, -1, false};

// 0: default keys, no steps; 1: default keys, five steps; 2-5: one key alone (place name,
// bells descending, distance, a user Number field).
const std::array<Setup, 6> setups = {{
    {defaultKeys, false},
    {defaultKeys, true},
    {{SortKey{false, sortPlace, false}, none, none}, false},
    {{SortKey{false, sortBells, true}, none, none}, false},
    {{SortKey{false, sortDistance, false}, none, none}, false},
    {{SortKey{true, 0, false}, none, none}, false},
}};

SelectionStep makeStep(std::int32_t field, const char* from, const char* to, StepMode mode,
                       bool exclude = false, bool userField = false)
{
    SelectionStep step;
    step.userField = userField;
    step.field = field;
    step.fromText = from;
    step.toText = to;
    step.mode = mode;
    step.exclude = exclude;
    prepareBounds(step, stressFields());
    return step;
}

void prepare(TowerDatabase& database, const Setup& setup)
{
    database.sortKeys = setup.keys;
    database.selectionSteps.clear();
    if (setup.fiveSteps) {
        database.selectionSteps = {
            makeStep(selectCounty, "B", "N", StepMode::And),
            makeStep(selectBells, "8", "", StepMode::Or),
            makeStep(selectDistance, "0", "300", StepMode::And),
            makeStep(selectGroundFloor, "", "", StepMode::Xor),
            makeStep(0, "100", "", StepMode::And, true, true),
        };
    }
}

void BM_Recompute(benchmark::State& state)
{
    TowerDatabase& database = stressDatabase();
    prepare(database, setups[state.range(0)]);
    for (auto _ : state) {
        recomputeDisplayed(database, stressFields());
        benchmark::DoNotOptimize(database.displayOrder.data());
    }
    state.counters["displayed"] = static_cast<double>(database.displayedCount());
}

// The reference: every tower, in TowerId order, stable-sorted by towerLess.
void BM_StableSort(benchmark::State& state)
{
    TowerDatabase& database = stressDatabase();
    prepare(database, setups[state.range(0)]);
    std::vector<const Tower*> inIdOrder;
    for (const auto& [id, tower] : database.towers()) inIdOrder.push_back(&tower);
    std::vector<const Tower*> sorted;
    for (auto _ : state) {
        sorted = inIdOrder;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const Tower* a, const Tower* b) { return towerLess(database, stressFields(), *a, *b); });
        benchmark::DoNotOptimize(sorted.data());
    }
}

// Each setup's recompute and its reference sort run back to back, so that both meet the same
// load on the machine.
[[maybe_unused]] const bool registered = [] {
    for (int setup = 0; setup < static_cast<int>(setups.size()); ++setup) {
        benchmark::RegisterBenchmark("BM_Recompute", BM_Recompute)->Arg(setup)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_StableSort", BM_StableSort)->Arg(setup)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
