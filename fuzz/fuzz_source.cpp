// Directory sources from outside: every line becomes a tower without fault, the value readers
// and the notes on the source and its lines take any text, the compiler's whole-source run gives
// the bytes of adding the lines one by one, and the compiled file loads back to the same towers
// and tables.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/compile_directory.h"
#include "records/limit_reached.h"
#include "records/source_parser.h"
#include "records/tower_directory.h"
#include "records/value_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    readInteger(source);
    readWeight(source);
    readNote(source);
    readPracticeNight(source);
    readPracticeTime(source);
    sourceNotes(splitSource(source));

    std::size_t lineEnd = source.find('\n');
    const ColumnMap columns = ColumnMap::fromHeader(source.substr(0, lineEnd));
    TowerDirectory database;
    try {
        while (lineEnd != std::string_view::npos) {
            const std::size_t start = lineEnd + 1;
            lineEnd = source.find('\n', start);
            if (lineEnd == std::string_view::npos) break;
            database.addTower(source.substr(start, lineEnd - start), columns);
        }
    } catch (const LimitReached&) {
        return 0;
    }

    const std::string encoded = database.encode();
    TowerDirectory whole;
    linesNotes(compileLines(whole, splitSource(whole.holdSource(PresentBytes(source.begin(), source.end())))));
    if (whole.encode() != encoded) std::abort();

    const TowerDirectory read{TagReader(encoded)};
    // A text is written up to a 0 byte it holds, so only sources without one read back exactly.
    if (source.find('\0') != std::string_view::npos) return 0;
    if (read.towers() != database.towers()) std::abort();
    if (read.counties() != database.counties()) std::abort();
    if (read.dedications() != database.dedications()) std::abort();
    if (read.webPages() != database.webPages()) std::abort();
    return 0;
}
