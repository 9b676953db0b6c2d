// Reading the full benchmark directory (32767 towers) from its compiled file, beside the floor of
// reading the file's bytes into memory alone: the directory should cost little more than its
// file. BM_ReadDirectory's counter gives the ratio to the floor measured just before it. Beside
// them, decoding every item of the file once with nothing kept, which any reading must do.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/stress_database.h"
#include "records/file_bytes.h"
#include "records/tag_reader.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::filesystem::path& compiledFile()
{
    static const TemporaryFolder folder;
    static const std::filesystem::path file = [] {
        const std::filesystem::path path = folder / "vesk.dat";
        compileSource(generateStressDirectory()).write(path);
        return path;
    }();
    return file;
}

double secondsPerIteration(std::chrono::steady_clock::time_point start, const benchmark::State& state)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
           / static_cast<double>(state.iterations());
}

double floorSeconds = 0;

void BM_ReadFileFloor(benchmark::State& state)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) benchmark::DoNotOptimize(readFilePresent(compiledFile(), compiledDirectoryFile));
    floorSeconds = secondsPerIteration(start, state);
}
BENCHMARK(BM_ReadFileFloor)->Unit(benchmark::kMillisecond);

// The file's bytes read and each of its items decoded once, with nothing kept: the least any
// reading of the directory's tagged items costs, whatever it makes of them.
void BM_DecodeItemsFloor(benchmark::State& state)
{
    std::size_t items = 0;
    for (auto _ : state) {
        TagReader reader(readFilePresent(compiledFile(), compiledDirectoryFile));
        items = 0;
        std::int64_t sum = 0;
        // The towers, then the counties, the dedications and the web addresses, each list ended by
        // an end marker.
        for (int list = 0; list < 4; ++list) {
            for (int tag = reader.nextItem(); tag != TagReader::endMarker; tag = reader.nextItem()) {
                sum += reader.value() + static_cast<std::int64_t>(reader.text().size());
                ++items;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_DecodeItemsFloor)->Unit(benchmark::kMillisecond);

void BM_ReadDirectory(benchmark::State& state)
{
    const auto start = std::chrono::steady_clock::now();
    std::size_t towers = 0;
    for (auto _ : state) towers = TowerDirectory(compiledFile()).counts().towers;
    if (floorSeconds > 0) state.counters["times_floor"] = secondsPerIteration(start, state) / floorSeconds;
    state.counters["towers"] = static_cast<double>(towers);
}
BENCHMARK(BM_ReadDirectory)->Unit(benchmark::kMillisecond);

}  // namespace
