#pragma once

#include <string>

#include "compiler/compile_directory.h"
#include "query/sorting.h"
#include "query/viewer_database.h"
#include "tools/sample_directory.h"

// The full-size benchmark directory (32767 generated towers) compiled as the data compiler
// would, then read back from the compiled bytes as the viewer loads vesk.dat, with the viewer's
// default keys and centre (TQ102665).
inline ViewerDatabase makeStressDatabase()
{
    const TowerDatabase compiled = compileSource(generateStressDirectory());
    ViewerDatabase database{TowerDatabase(TagReader(compiled.encode()))};
    database.centre = {5102, 1665};
    setDefaultSortKeys(database);
    return database;
}
