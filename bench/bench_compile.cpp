// The data compiler on a full directory (32767 generated towers): the whole run (read the
// source, parse every line, fill the tables, draw the ids, write vesk.dat) beside the floor of
// reading the same source line by line and writing and syncing a file of vesk.dat's size, as
// every compile must. The compile should stay within 3 times that floor; BM_Compile's counter
// gives the ratio to the floor measured just before it.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "compiler/compile_directory.h"
#include "records/file_bytes.h"
#include "tools/sample_directory.h"

namespace {

namespace fs = std::filesystem;

// A folder holding the generated vesk.txt for the whole run of the program.
class StressFolder {
public:
    StressFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "belfrix-bench-compile-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        std::ofstream(path_ / sourceFileName, std::ios::binary) << generateStressDirectory();
    }
    ~StressFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& stressFolder()
{
    static const StressFolder folder;
    return folder.path();
}

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

void BM_ReadLinesFloor(benchmark::State& state)
{
    const fs::path source = stressFolder() / sourceFileName;
    std::size_t lines = 0;
    for (auto _ : state) {
        const std::string bytes = readFileBytes(source, directorySourceFile);
        lines = 0;
        std::size_t total = 0;
        forEachSourceLine(bytes, [&](std::string_view line) {
            ++lines;
            total += line.size();
        });
        benchmark::DoNotOptimize(total);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadLinesFloor)->Unit(benchmark::kMillisecond);

double floorSeconds = 0;

// Reading the source as above, then writing a file of the compiled file's size in place of it
// and syncing it to the disk, through the same writer the compiler uses.
void BM_ReadWriteSyncFloor(benchmark::State& state)
{
    const fs::path source = stressFolder() / sourceFileName;
    if (!fs::exists(stressFolder() / dataFileName)) {
        NullBuffer discard;
        std::ostream out(&discard);
        compileDirectory(stressFolder(), out, out);
    }
    const std::string sameSize(fs::file_size(stressFolder() / dataFileName), 'x');
    const fs::path written = stressFolder() / "floor.dat";
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const std::string bytes = readFileBytes(source, directorySourceFile);
        std::size_t total = 0;
        forEachSourceLine(bytes, [&](std::string_view line) { total += line.size(); });
        benchmark::DoNotOptimize(total);
        replaceFileContents(written, sameSize);
    }
    floorSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                   / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReadWriteSyncFloor)->Unit(benchmark::kMillisecond);

// The same floor with the standard library's line reading, for comparison.
void BM_ReadLinesGetline(benchmark::State& state)
{
    const fs::path source = stressFolder() / sourceFileName;
    for (auto _ : state) {
        std::ifstream in(source, std::ios::binary);
        std::string line;
        std::size_t total = 0;
        while (std::getline(in, line)) total += line.size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadLinesGetline)->Unit(benchmark::kMillisecond);

void BM_Compile(benchmark::State& state)
{
    NullBuffer discard;
    std::ostream out(&discard);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (compileDirectory(stressFolder(), out, out) != 0) state.SkipWithError("compile failed");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                           / static_cast<double>(state.iterations());
    if (floorSeconds > 0) state.counters["times_floor"] = seconds / floorSeconds;
    state.counters["towers"] = static_cast<double>(
        TowerDirectory(stressFolder() / dataFileName).counts().towers);
}
BENCHMARK(BM_Compile)->Unit(benchmark::kMillisecond);

// The compile in memory alone, without reading or writing files.
void BM_CompileInMemory(benchmark::State& state)
{
    const std::string source = readFileBytes(stressFolder() / sourceFileName, directorySourceFile);
    for (auto _ : state) {
        const TowerDirectory database = compileSource(source);
        benchmark::DoNotOptimize(database.encode());
    }
}
BENCHMARK(BM_CompileInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
