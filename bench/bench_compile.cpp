// The data compiler on a full directory (32767 generated towers): the whole run (read the
// source, parse every line, fill the tables, draw the ids, write vesk.dat) beside the floor of
// just reading the same file line by line. The compile should stay within 3 times that floor.
#include <benchmark/benchmark.h>

#include <stdlib.h>

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
        const std::optional<std::string> bytes = readFileBytes(source);
        lines = 0;
        std::size_t total = 0;
        forEachSourceLine(*bytes, [&](std::string_view line) {
            ++lines;
            total += line.size();
        });
        benchmark::DoNotOptimize(total);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadLinesFloor)->Unit(benchmark::kMillisecond);

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
    for (auto _ : state) {
        if (compileDirectory(stressFolder(), out, out) != 0) state.SkipWithError("compile failed");
    }
    state.counters["towers"] = static_cast<double>(
        TowerDatabase(stressFolder() / dataFileName).counts().towers);
}
BENCHMARK(BM_Compile)->Unit(benchmark::kMillisecond);

// The compile in memory alone, without reading or writing files.
void BM_CompileInMemory(benchmark::State& state)
{
    const std::string source = *readFileBytes(stressFolder() / sourceFileName);
    for (auto _ : state) {
        const TowerDatabase database = compileSource(source);
        benchmark::DoNotOptimize(database.encode());
    }
}
BENCHMARK(BM_CompileInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
