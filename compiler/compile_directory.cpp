#include "compiler/compile_directory.h"

#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

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
