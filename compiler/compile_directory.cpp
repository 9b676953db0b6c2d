#include "compiler/compile_directory.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "records/counted.h"
#include "records/file_bytes.h"
#include "records/grid_reference.h"
#include "records/limit_reached.h"
#include "records/page_memory.h"

SourceLines splitSource(std::string_view source)
{
    SourceLines split;
    const std::size_t headerEnd = source.find('\n');
    split.header = source.substr(0, headerEnd);
    if (headerEnd == std::string_view::npos) return split;
    split.headerHasLineFeed = true;
    const std::string_view rest = source.substr(headerEnd + 1);
    split.unfinished = rest.substr(rest.rfind('\n') + 1);
    const std::string_view towerLines = rest.substr(0, rest.size() - split.unfinished.size());
    for (std::size_t nul = towerLines.find('\0'); nul != std::string_view::npos; nul = towerLines.find('\0', nul + 1)) {
        if (split.nulBytes++ == 0)
            split.firstNulLine = 2 + static_cast<std::size_t>(std::count(towerLines.begin(), towerLines.begin() + nul, '\n'));
    }
    split.lines.reserve(maxTowerId + 1);
    std::size_t lineNumber = 1;
    forEachSourceLine(rest, [&split, &lineNumber](std::string_view line) {
        ++lineNumber;
        if (split.lines.size() <= static_cast<std::size_t>(maxTowerId)) split.lines.push_back(line);
        if (!line.empty() && line != "\r") return;
        if (split.emptyLines++ == 0) split.firstEmptyLine = lineNumber;
    });
    return split;
}

TowerDirectory::LinesRead compileLines(TowerDirectory& database, const SourceLines& source)
{
    return database.addTowers(source.lines, ColumnMap::fromHeader(source.header));
}

TowerDirectory compileSource(PresentBytes bytes)
{
    TowerDirectory database;
    compileLines(database, splitSource(database.holdSource(std::move(bytes))));
    return database;
}

TowerDirectory compileSource(std::string_view source)
{
    return compileSource(PresentBytes(source.begin(), source.end()));
}

namespace {

// At most this many bytes of a line are quoted in a note.
constexpr std::size_t quotedLineBytes = 40;

std::string quotedLine(std::string_view line)
{
    return '"' + std::string(line.substr(0, quotedLineBytes)) + (line.size() > quotedLineBytes ? "...\"" : "\"");
}

}  // namespace

std::vector<std::string> sourceNotes(const SourceLines& source)
{
    std::vector<std::string> notes;
    const std::string_view header = source.header;
    if (!source.headerHasLineFeed) {
        if (header.find('\r') != std::string_view::npos)
            notes.push_back(std::string(sourceFileName) + " has no line feeds, its lines ending in a carriage return "
                            "alone: it is read as one header line, with no towers");
        return notes;
    }
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    const std::string_view names = header.substr(0, header.size() - (header.ends_with('\r') ? 1 : 0));
    const std::vector<std::string_view> columnNames = splitColumns(names);
    const auto isColumnName = [](std::string_view name) {
        return std::find(sourceColumnNames.begin(), sourceColumnNames.end(), name) != sourceColumnNames.end();
    };
    const std::string_view firstName =
        header.starts_with(byteOrderMark) && !columnNames.empty() ? columnNames.front().substr(byteOrderMark.size())
                                                                   : std::string_view();
    if (isColumnName(firstName))
        notes.push_back(std::string(sourceFileName) + " begins with a UTF-8 byte order mark, read as part of its first "
                        "column's name: " + quotedLine(firstName) + " is not recognised");
    else if (std::none_of(columnNames.begin(), columnNames.end(), isColumnName))
        notes.push_back("the first line of " + std::string(sourceFileName) + ", its header, names none of the columns "
                        "that are read, such as \"Place\": every tower is compiled with no data");
    if (header.ends_with('\r')) {
        const std::string_view lastName = header.substr(header.rfind('\\') + 1);
        notes.push_back(std::string(sourceFileName) + " has CR LF line ends: the header's last column, " +
                        quotedLine(lastName.substr(0, lastName.size() - 1)) +
                        ", is not recognised, and every line's last column keeps its carriage return");
    }

    if (source.emptyLines > 0)
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(source.emptyLines), "empty line", "empty lines") +
                        ", each compiled as a tower with no data (the first is line " +
                        std::to_string(source.firstEmptyLine) + ")");

    if (source.nulBytes > 0)
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(source.nulBytes), "NUL byte", "NUL bytes") +
                        " (the first on line " + std::to_string(source.firstNulLine) +
                        "): a column holding one is read only up to it, as the compiled file ends each text there");

    if (!source.unfinished.empty())
        notes.push_back("the last line of " + std::string(sourceFileName) + " has no line feed after it and is left out: " +
                        quotedLine(source.unfinished));
    return notes;
}

std::vector<std::string> linesNotes(const TowerDirectory::LinesRead& read)
{
    std::vector<std::string> notes;
    // The header is line 1.
    const auto lineNumber = [](std::size_t line) { return std::to_string(line + 2); };
    if (read.unreadGridReferences > 0)
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(read.unreadGridReferences), "grid reference",
                                "grid references") +
                        " read as no position (the first on line " + lineNumber(read.firstUnreadLine) + ": " +
                        quotedLine(read.firstUnreadText) + "): a reference is two capital letters, or one and a "
                        "blank, then six digits, and a tower without one is left off the map and out of distances");
    if (read.misreadGridReferences > 0)
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(read.misreadGridReferences), "grid reference",
                                "grid references") +
                        " not written as a reference is, which may give another place than meant (the first "
                        "on line " + lineNumber(read.firstMisreadLine) + ": " +
                        quotedLine(read.firstMisreadText) + ", read as " + formatGridRef(read.firstMisreadPosition) +
                        "): a reference is two capital letters, or one and a blank, then six digits");
    if (read.weightsReadInPart > 0) {
        const auto& [cwt, qr, lb] = read.firstPartialWeightColumns;
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(read.weightsReadInPart), "tenor weight", "tenor weights") +
                        " read only in part (the first on line " + lineNumber(read.firstPartialWeightLine) +
                        ": cwt " + quotedLine(cwt) + ", qr " + quotedLine(qr) + ", lb " + quotedLine(lb) +
                        "): a weight is whole hundredweights, quarters and pounds, all three given, or "
                        "hundredweights alone");
    }
    return notes;
}

namespace {

// Whether the write of the data file would put the directory in the place of the source it was
// read from: links that lead the two names to one file. A hard link would not, as the write puts a new
// file under the data file's name only.
bool writeReplacesSource(const std::filesystem::path& dataPath, const std::filesystem::path& sourcePath)
{
    std::error_code unresolved;
    const std::filesystem::path source = std::filesystem::weakly_canonical(sourcePath, unresolved);
    try {
        return !unresolved && replacedFile(dataPath) == source;
    } catch (const FileWriteError&) {
        return false;  // a loop of links, which the write reports in its turn
    }
}

}  // namespace

std::string summaryLine(const TowerDirectory::Counts& counts)
{
    return std::to_string(counts.towers) + " Towers, " + std::to_string(counts.counties)
           + " Counties, " + std::to_string(counts.dedications) + " Saints, "
           + std::to_string(counts.webPages) + " URLs\n";
}

int compileDirectory(const std::filesystem::path& folder, std::ostream& out, std::ostream& error)
{
    const std::filesystem::path sourcePath = folder / sourceFileName;
    const std::filesystem::path dataPath = folder / dataFileName;

    PresentBytes source;
    try {
        source = readFilePresent(sourcePath, directorySourceFile);
    } catch (const FileReadError& failure) {
        error << "veskcomp: " << failure.what() << '\n';
        return 1;
    }
    if (writeReplacesSource(dataPath, sourcePath)) {
        error << "veskcomp: " << quotedPath(dataPath) << " and " << quotedPath(sourcePath)
              << " lead to one file, and writing it would replace the source; nothing was written\n";
        return 1;
    }

    TowerDirectory database;
    const SourceLines lines = splitSource(database.holdSource(std::move(source)));
    for (const std::string& note : sourceNotes(lines)) error << "veskcomp: " << note << '\n';
    try {
        for (const std::string& note : linesNotes(compileLines(database, lines))) error << "veskcomp: " << note << '\n';
    } catch (const LimitReached& limit) {
        error << "veskcomp: " << limit.what() << "; " << dataPath.string() << " not written\n";
        return 1;
    }

    const TowerDirectory::Counts counts = database.counts();
    int status = 0;
    std::string writeFailure;
    try {
        database.write(dataPath);
    } catch (const std::runtime_error& failure) {
        writeFailure = failure.what();
        status = 1;
    }
    out << summaryLine(counts) << std::flush;
    if (status != 0) error << "veskcomp: " << writeFailure << '\n';
    return status;
}
