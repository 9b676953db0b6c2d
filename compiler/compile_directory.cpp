#include "compiler/compile_directory.h"

#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "records/counted.h"
#include "records/file_bytes.h"
#include "records/limit_reached.h"
#include "records/page_memory.h"

TowerDirectory compileSource(PresentBytes bytes)
{
    TowerDirectory database;
    const std::string_view source = database.holdSource(std::move(bytes));
    // The header is the first line even when the source has no line feed at all.
    const std::size_t headerEnd = source.find('\n');
    const ColumnMap columns = ColumnMap::fromHeader(source.substr(0, headerEnd));
    if (headerEnd == std::string_view::npos) return database;
    std::vector<std::string_view, PresentAllocator<std::string_view>> lines;
    // As many lines as the directory can hold towers, and the line after them, which is refused:
    // a source of millions of empty lines takes no more room than a full one.
    lines.reserve(maxTowerId + 1);
    forEachSourceLine(source.substr(headerEnd + 1), [&](std::string_view line) {
        if (lines.size() <= static_cast<std::size_t>(maxTowerId)) lines.push_back(line);
    });
    database.addTowers(lines, columns);
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

std::vector<std::string> sourceNotes(std::string_view source)
{
    std::vector<std::string> notes;
    const std::size_t headerEnd = source.find('\n');
    const std::string_view header = source.substr(0, headerEnd);
    if (headerEnd == std::string_view::npos && header.find('\r') != std::string_view::npos) {
        notes.push_back(std::string(sourceFileName) + " has no line feeds, its lines ending in a carriage return "
                        "alone: it is read as one header line, with no towers");
        return notes;
    }
    if (header.ends_with('\r')) {
        const std::string_view lastName = header.substr(header.rfind('\\') + 1);
        notes.push_back(std::string(sourceFileName) + " has CR LF line ends: the header's last column, " +
                        quotedLine(lastName.substr(0, lastName.size() - 1)) +
                        ", is not recognised, and every line's last column keeps its carriage return");
    }
    if (headerEnd == std::string_view::npos) return notes;

    // A line with nothing on it, or only the carriage return of a CR LF line end.
    const std::string_view lines = source.substr(headerEnd + 1);
    std::size_t emptyLines = 0;
    std::size_t lineNumber = 1;
    std::size_t firstEmpty = 0;
    forEachSourceLine(lines, [&](std::string_view line) {
        ++lineNumber;
        if (!line.empty() && line != "\r") return;
        if (emptyLines++ == 0) firstEmpty = lineNumber;
    });
    if (emptyLines > 0)
        notes.push_back(std::string(sourceFileName) + " has " +
                        counted(static_cast<std::int64_t>(emptyLines), "empty line", "empty lines") +
                        ", each compiled as a tower with no data (the first is line " + std::to_string(firstEmpty) + ")");

    const std::size_t lastFeed = lines.rfind('\n');
    const std::string_view unfinished = lastFeed == std::string_view::npos ? lines : lines.substr(lastFeed + 1);
    if (!unfinished.empty())
        notes.push_back("the last line of " + std::string(sourceFileName) + " has no line feed after it and is left out: " +
                        quotedLine(unfinished));
    return notes;
}

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

    for (const std::string& note : sourceNotes(std::string_view(source.data(), source.size())))
        error << "veskcomp: " << note << '\n';

    std::optional<TowerDirectory> database;
    try {
        database.emplace(compileSource(std::move(source)));
    } catch (const LimitReached& limit) {
        error << "veskcomp: " << limit.what() << "; " << dataPath.string() << " not written\n";
        return 1;
    }

    const TowerDirectory::Counts counts = database->counts();
    int status = 0;
    std::string writeFailure;
    try {
        database->write(dataPath);
    } catch (const std::runtime_error& failure) {
        writeFailure = failure.what();
        status = 1;
    }
    out << summaryLine(counts) << std::flush;
    if (status != 0) error << "veskcomp: " << writeFailure << '\n';
    return status;
}
