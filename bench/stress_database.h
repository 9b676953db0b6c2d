#pragma once

#include <string>

#include "compiler/compile_directory.h"
#include "query/sorting.h"
#include "query/tower_database.h"
#include "tools/sample_directory.h"

// The full-size benchmark directory (32767 generated towers) compiled as the data compiler
// would, then read back from the compiled bytes as the viewer loads vesk.dat, with the viewer's
// default keys and centre (TQ102665).
inline TowerDatabase makeStressDatabase()
{
    const TowerDirectory compiled = compileSource(generateStressDirectory());
    TowerDatabase database{TagReader(compiled.encode())};
    database.centre = {5102, 1665};
    setDefaultSortKeys(database);
    return database;
}
