// Compiled data files from outside: any bytes must load without fault, and whatever loads must
// write back to a file that loads the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/tag_reader.h"
#include "records/tower_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TowerDatabase loaded{TagReader(std::string(reinterpret_cast<const char*>(data), size))};
    for (const auto& [id, tower] : loaded.towers())
        if (id != tower.id || id < 1 || id > maxTowerId) std::abort();

    const TowerDatabase again{TagReader(loaded.encode())};
    if (again.towers() != loaded.towers()) std::abort();
    if (again.counties().byIndex() != loaded.counties().byIndex()) std::abort();
    if (again.dedications().byIndex() != loaded.dedications().byIndex()) std::abort();
    if (again.webPages().byIndex() != loaded.webPages().byIndex()) std::abort();
    return 0;
}
