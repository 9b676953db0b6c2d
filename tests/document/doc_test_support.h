#pragma once

// Shared by the document and veskquery tests: a small compiled directory in a fresh folder, and
// a window system that records what the document asks of it.

#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "document/document_dialogs.h"
#include "document/document_views.h"
#include "records/source_parser.h"
#include "query/tower_database.h"
#include "tests/support/temporary_folder.h"

namespace docfixture {

// Six towers. Sorted by place name: Aston, Bexley, Chart, Dunton, Easton, Fenby.
// Aston sits on the default centre TQ102665 (5102, 1665); Bexley 25 km east of it; Chart 5 km
// north; Dunton in SU (4123, 1456); Easton has no position; Fenby is unringable and its web
// address holds a '+'.
inline const char* const sourceText =
    "NG\\FULL\\Place\\Dedicn\\Bells\\Prac\\WebPage\\UR\\Postcode\n"
    "TQ102665\\Midshire\\Aston\\S Mary\\8\\Thu 19.30\\www.aston.org.uk\\\\\n"
    "TQ352665\\Midshire\\Bexley\\S John\\6\\Mon 19.30\n"
    "TQ102715\\Kent\\Chart\\All Saints\\8\\Thu 20.00\n"
    "SU123456\\Hants\\Dunton\\S Mary\\10\\Wed 19.45\n"
    "\\Hants\\Easton\\S Peter\\5\n"
    "TQ202665\\Kent\\Fenby\\\\3\\\\www.a+b.org\\x\\FE1 2NB\n";

// Compiles the source lines after the header as the data compiler does and writes vesk.dat.
inline void writeDirectory(const std::filesystem::path& file, const std::string& source = sourceText)
{
    TowerDatabase database;
    const auto header = source.substr(0, source.find('\n'));
    const ColumnMap columns = ColumnMap::fromHeader(header);
    std::size_t start = header.size() + 1;
    while (start < source.size()) {
        const auto end = source.find('\n', start);
        database.addTower(std::string_view(source).substr(start, end - start), columns);
        start = end + 1;
    }
    database.write(file);
}

inline std::string readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// Every call becomes one line of `calls`; each dialog gives the next queued answer, or Cancel.
class RecordingWindows : public DocumentViews, public DocumentDialogs {
public:
    std::vector<std::string> calls;
    std::deque<std::optional<SelectChoice>> selectAnswers;
    std::deque<std::optional<SortRows>> sortAnswers;
    std::deque<std::optional<MapOptions>> mapOptionsAnswers;
    std::deque<std::optional<UserFieldDefinitions>> userFieldsAnswers;
    std::optional<std::filesystem::path> exportAnswer;
    std::vector<std::string> fieldsShown;
    std::optional<MapOptions> mapOptionsShown;
    std::optional<SortRows> sortRowsShown;
    std::optional<UserFieldDefinitions> userFieldsShown;
    std::function<void(TowerFieldEditor&)> towerFieldsUser;

    void updateAllViews() override { calls.push_back("update"); }
    void showControlBar(const ControlBarState& bar) override
    {
        calls.push_back("control bar: " + (bar.text.empty() ? std::string("none") : bar.text));
    }
    void beginBusy() override { calls.push_back("busy"); }
    void endBusy() override { calls.push_back("not busy"); }
    void showStatus(const std::string& text) override { calls.push_back("status: " + text); }
    void showMessage(const std::string& text) override { calls.push_back("message: " + text); }
    void startProgram(const std::string& commandLine) override
    {
        calls.push_back("start: " + commandLine);
    }
    bool desktopBrowserStarts = true;
    bool openWithDesktopBrowser(const std::string& address) override
    {
        calls.push_back("desktop browser: " + address);
        return desktopBrowserStarts;
    }

    std::optional<DistanceNote> distanceShown;
    SelectCheck selectCheck;
    std::optional<SelectChoice> runSelectDialog(const std::vector<std::string>& fields, const DistanceNote& distance,
                                                const SelectCheck& check) override
    {
        distanceShown = distance;
        selectCheck = check;
        calls.push_back("Select dialog");
        fieldsShown = fields;
        return next(selectAnswers);
    }
    std::optional<SortRows> runSortDialog(const std::vector<std::string>& fields, const SortRows& shown,
                                          const DistanceNote& distance) override
    {
        distanceShown = distance;
        calls.push_back("Sort dialog");
        fieldsShown = fields;
        sortRowsShown = shown;
        return next(sortAnswers);
    }
    std::optional<MapOptions> runMapOptionsDialog(const MapOptions& shown) override
    {
        calls.push_back("Options dialog");
        mapOptionsShown = shown;
        return next(mapOptionsAnswers);
    }
    std::optional<UserFieldDefinitions> runUserFieldsDialog(const UserFieldDefinitions& shown) override
    {
        calls.push_back("User-defined Fields dialog");
        userFieldsShown = shown;
        return next(userFieldsAnswers);
    }
    void runTowerFieldsDialog(TowerFieldEditor& editor) override
    {
        calls.push_back("Tower Details dialog");
        if (towerFieldsUser) towerFieldsUser(editor);
    }
    std::optional<std::filesystem::path> askExportFileName(ExportFormat format) override
    {
        calls.push_back(format == ExportFormat::Csv ? "ask export file" : "ask GPS export file");
        return exportAnswer;
    }

private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty()) return std::nullopt;
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace docfixture
