#pragma once

#include <filesystem>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "records/page_memory.h"
#include "records/tower_directory.h"

// The data compiler: the directory's text source "vesk.txt" in, the compiled "vesk.dat" out.

inline constexpr const char* sourceFileName = "vesk.txt";
inline constexpr const char* dataFileName = "vesk.dat";

// Calls `line` for every line of the source: the bytes before each line feed, the line feed
// dropped and nothing else (a carriage return stays). The bytes after the last line feed are no
// line. Lines of any length are given whole.
template <class Line>
void forEachSourceLine(std::string_view source, Line line)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos) return;  // an unfinished last line is not compiled
        line(source.substr(start, end - start));
        start = end + 1;
    }
}

// A source cut into its lines once, for the compile and its notes alike.
struct SourceLines {
    // The first line, or the whole source when it has no line feed.
    std::string_view header;
    bool headerHasLineFeed = false;
    // The lines after the header: as many as a directory can hold towers, and the one after
    // them, which is refused; a source of millions of lines takes no more room than a full one.
    std::vector<std::string_view, PresentAllocator<std::string_view>> lines;
    // The bytes after the last line feed, which are no line.
    std::string_view unfinished;
    // Of all the lines after the header, kept or not: those with nothing on them but perhaps a
    // carriage return, and the number of the first of them in the source (the header is line 1).
    std::size_t emptyLines = 0;
    std::size_t firstEmptyLine = 0;
    // The 0 bytes on the lines after the header, up to the last line feed, and the line of the
    // first of them.
    std::size_t nulBytes = 0;
    std::size_t firstNulLine = 0;
};
SourceLines splitSource(std::string_view source);

// The towers of the source's lines, added to the directory that holds the source's bytes, and
// what the lines held that the towers do not keep. Throws LimitReached when the source holds more
// towers or texts than the tables allow.
TowerDirectory::LinesRead compileLines(TowerDirectory& database, const SourceLines& source);

// The database the source describes: the first line is the header, every further line one
// tower. Throws LimitReached as compileLines. The directory keeps the source's bytes, which
// its texts view.
TowerDirectory compileSource(PresentBytes source);
// The same for a source held elsewhere, which the directory copies.
TowerDirectory compileSource(std::string_view source);

// What the compile reads otherwise than the source's writer may have meant, each a sentence
// without its full stop: carriage returns before the line feeds, empty lines (each a tower
// with no data), a last line without a line feed (left out).
std::vector<std::string> sourceNotes(const SourceLines& source);
// The same for what the compile found in the lines' columns: grid references that give no
// position.
std::vector<std::string> linesNotes(const TowerDirectory::LinesRead& read);

// "3 Towers, 2 Counties, 3 Saints, 1 URLs" and a line feed.
std::string summaryLine(const TowerDirectory::Counts& counts);

// One run of the compiler in `folder`: reads the source, writes the data file, prints the
// summary on `out` and any failure on `error`. Gives the exit status: 0, or 1 when the source
// cannot be read, a limit is reached (nothing is written then) or the data file cannot be
// written (the summary is printed all the same; an earlier data file stays as it was).
int compileDirectory(const std::filesystem::path& folder, std::ostream& out, std::ostream& error);
