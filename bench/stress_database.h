#pragma once

#include <string>
#include <string_view>

#include "query/sorting.h"
#include "records/source_parser.h"
#include "records/tower_database.h"
#include "tools/sample_directory.h"

// The full-size benchmark directory (32767 generated towers) compiled as the data compiler
// would, then read back from the compiled bytes as the viewer loads vesk.dat, with the viewer's
// default keys and centre (TQ102665).
inline TowerDatabase makeStressDatabase()
{
    const std::string source = generateStressDirectory();
    std::string_view rest = source;
    auto takeLine = [&rest] {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        return line;
    };
    const ColumnMap columns = ColumnMap::fromHeader(takeLine());
    TowerDatabase compiled;
    while (!rest.empty()) compiled.addTower(takeLine(), columns);
    TowerDatabase database{TagReader(compiled.encode())};
    database.centre = {5102, 1665};
    setDefaultSortKeys(database);
    return database;
}
