// Compiled data files from outside: any bytes must load without fault, and whatever loads must
// write back to a file that loads the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/tag_reader.h"
#include "records/tower_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TowerDirectory loaded{TagReader(std::string(reinterpret_cast<const char*>(data), size))};
    if (loaded.damaged()) damageReport("vesk.dat", loaded);
    TowerId previous = 0;
    for (const auto& [id, tower] : loaded.towers()) {
        if (id != tower.id || id <= previous || id > maxTowerId || loaded.tower(id) != &tower) std::abort();
        previous = id;
    }

    const TowerDirectory again{TagReader(loaded.encode())};
    if (again.towers() != loaded.towers()) std::abort();
    if (again.counties() != loaded.counties()) std::abort();
    if (again.dedications() != loaded.dedications()) std::abort();
    if (again.webPages() != loaded.webPages()) std::abort();
    return 0;
}
