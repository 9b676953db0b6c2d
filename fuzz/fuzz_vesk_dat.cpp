// Compiled data files from outside: any bytes must load without fault, and whatever loads must
// write back to a file that loads the same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/tag_reader.h"
#include "records/tower_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TowerDatabase loaded{TagReader(std::string(reinterpret_cast<const char*>(data), size))};
    TowerId previous = 0;
    for (const Tower& tower : loaded.towers()) {
        if (tower.id <= previous || tower.id > maxTowerId || loaded.tower(tower.id) != &tower) std::abort();
        previous = tower.id;
    }

    const TowerDatabase again{TagReader(loaded.encode())};
    if (!std::ranges::equal(again.towers(), loaded.towers())) std::abort();
    if (!(again.counties() == loaded.counties())) std::abort();
    if (!(again.dedications() == loaded.dedications())) std::abort();
    if (!(again.webPages() == loaded.webPages())) std::abort();
    return 0;
}
