#include "cli/veskquery.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <variant>

#include "document/dialog_choices.h"
#include "document/tower_field_editor.h"
#include "document/vesk_doc.h"
#include "geo/location_text.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/user_fields.h"
#include "records/file_bytes.h"

const char* const veskQueryUsage =
    "usage: veskquery [OPTION]...\n"
    "Shows the towers of vesk.dat that pass a selection, in sort order, as the viewer lists and\n"
    "exports them. Options run in the order given.\n"
    "\n"
    "  --data FILE             read the compiled directory FILE instead of vesk.dat\n"
    "  --doc FILE.bx0          take centre, radius and user-defined fields from a document file\n"
    "  --centre TEXT           display centre, a grid reference such as TQ102665\n"
    "  --radius METRES         display radius, 0 to 1000000\n"
    "  --ref os|utm|latlong    reference system of the location texts\n"
    "  --from-tower ID         measure distances from this tower, as when it is picked on the map\n"
    "  --and FIELD FROM TO     keep the towers that pass and whose FIELD lies from FROM to TO\n"
    "  --or FIELD FROM TO      add the towers whose FIELD lies in the range\n"
    "  --xor FIELD FROM TO     combine with exclusive or\n"
    "  --and-not, --or-not, --xor-not FIELD FROM TO   the same with the range test inverted\n"
    "  --invert                invert the selection\n"
    "  --undo                  take back the newest selection step\n"
    "  --select-all            drop every selection step\n"
    "  --sort FIELD            next sort key (first, then second, then third), ascending\n"
    "  --sort-desc FIELD       next sort key, descending\n"
    "  --list                  full description of each tower, one a line (the default)\n"
    "  --csv                   the export file's bytes\n"
    "  --ids                   the TowerIds, one a line\n"
    "  --help                  show this text\n"
    "\n"
    "FIELD is an entry of the Select or Sort dialog's list (\"place name\", \"county\",\n"
    "\"dedication\", \"no of bells\", \"tenor weight\", \"tenor note\", \"distance\",\n"
    "\"practice night\", \"x-coordinate\", \"y-coordinate\", \"ground floor\", \"unringable\")\n"
    "or the name of a user-defined field. FROM and TO are typed as in the Select dialog; an\n"
    "empty TO means no upper bound.\n";

namespace {

// Bad use of the command line; what() is the one-line message.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Output { List, Csv, Ids };

struct SetDocument { std::string path; };
struct SetCentre { std::string text; };
struct SetRadius { float metres; };
struct SetReference { ReferenceSystem system; };
struct FromTower { TowerId id; };
struct Select { StepMode mode; bool exclude; std::string field, from, to; };
struct Sort { std::string field; bool descending; };

using Action = std::variant<SetDocument, SetCentre, SetRadius, SetReference, FromTower, Select, Sort>;

struct Query {
    std::string dataFile = "vesk.dat";
    std::vector<Action> actions;
    Output output = Output::List;
    bool help = false;
};

// Every message names what went wrong and stands on one line.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

Query parseArguments(const std::vector<std::string>& arguments)
{
    Query query;
    int sortKeys = 0;
    std::size_t i = 0;
    auto take = [&](const std::string& option) -> const std::string& {
        if (i >= arguments.size()) throw UsageError("option " + option + " needs an argument");
        return arguments[i++];
    };
    while (i < arguments.size()) {
        const std::string option = arguments[i++];
        if (option == "--help") {
            query.help = true;
        } else if (option == "--data") {
            query.dataFile = take(option);
        } else if (option == "--doc") {
            query.actions.push_back(SetDocument{take(option)});
        } else if (option == "--centre") {
            query.actions.push_back(SetCentre{take(option)});
        } else if (option == "--radius") {
            const std::string& text = take(option);
            const auto metres = readRadiusText(text);
            if (!metres) throw UsageError("radius \"" + text + "\" is not a number from 0 to 1000000");
            query.actions.push_back(SetRadius{*metres});
        } else if (option == "--ref") {
            const std::string& text = take(option);
            if (text == "os") query.actions.push_back(SetReference{ReferenceSystem::OS});
            else if (text == "utm") query.actions.push_back(SetReference{ReferenceSystem::UTM});
            else if (text == "latlong") query.actions.push_back(SetReference{ReferenceSystem::LatLong});
            else throw UsageError("reference system \"" + text + "\" is not os, utm or latlong");
        } else if (option == "--from-tower") {
            const std::string& text = take(option);
            const auto id = readWholeInteger(text);
            if (!id) throw UsageError("tower id \"" + text + "\" is not a number");
            query.actions.push_back(FromTower{*id});
        } else if (option == "--invert") {
            query.actions.push_back(Select{StepMode::Invert, false, {}, {}, {}});
        } else if (option == "--undo") {
            query.actions.push_back(Select{StepMode::UndoLast, false, {}, {}, {}});
        } else if (option == "--select-all") {
            query.actions.push_back(Select{StepMode::SelectAll, false, {}, {}, {}});
        } else if (option == "--and" || option == "--or" || option == "--xor" ||
                   option == "--and-not" || option == "--or-not" || option == "--xor-not") {
            const std::string_view name = std::string_view(option).substr(2, 3);
            const StepMode mode = name == "and" ? StepMode::And
                                  : name.starts_with("or") ? StepMode::Or
                                                           : StepMode::Xor;
            const bool exclude = option.ends_with("-not");
            std::string field = take(option);
            std::string from = take(option);
            std::string to = take(option);
            query.actions.push_back(Select{mode, exclude, std::move(field), std::move(from), std::move(to)});
        } else if (option == "--sort" || option == "--sort-desc") {
            if (++sortKeys > 3) throw UsageError("more than three sort keys");
            query.actions.push_back(Sort{take(option), option == "--sort-desc"});
        } else if (option == "--list") {
            query.output = Output::List;
        } else if (option == "--csv") {
            query.output = Output::Csv;
        } else if (option == "--ids") {
            query.output = Output::Ids;
        } else {
            throw UsageError("unknown option \"" + option + "\" (try --help)");
        }
    }
    return query;
}

// No window: dialogs are never run, and a message the document shows ends the run as bad use.
class ConsoleWindows : public DocumentViews, public DocumentDialogs {
public:
    std::string message;

    void updateAllViews() override {}
    void showControlBar(const ControlBarState&) override {}
    void beginBusy() override {}
    void endBusy() override {}
    void showMessage(const std::string& text) override
    {
        if (message.empty()) message = text;
    }
    void startProgram(const std::string&) override {}
    bool openWithDesktopBrowser(const std::string&) override { return false; }

    std::optional<SelectChoice> runSelectDialog(const std::vector<std::string>&) override
    {
        return std::nullopt;
    }
    std::optional<SortRows> runSortDialog(const std::vector<std::string>&, const SortRows&) override
    {
        return std::nullopt;
    }
    std::optional<MapOptions> runMapOptionsDialog(const MapOptions&) override { return std::nullopt; }
    std::optional<UserFieldDefinitions> runUserFieldsDialog(const UserFieldDefinitions&) override
    {
        return std::nullopt;
    }
    void runTowerFieldsDialog(TowerFieldEditor&) override {}
    std::optional<std::filesystem::path> askExportFileName() override { return std::nullopt; }
};

// A list entry chosen by its text, as picking it in the dialog's list would; the first entry of
// that text wins.
int entryNamed(BuiltInEntries builtIn, const std::string& name)
{
    const std::vector<std::string> list = fieldList(builtIn);
    for (std::size_t entry = 0; entry < list.size(); ++entry)
        if (list[entry] == name) return static_cast<int>(entry);
    throw UsageError("unknown field \"" + name + "\"");
}

class QueryRun {
public:
    QueryRun(ConsoleWindows& windows, const Query& query)
        : windows_(windows), doc_(windows, windows, {}, ViewerFiles{query.dataFile, "map.dat"})
    {
        if (!readFileBytes(query.dataFile))
            throw UsageError("cannot read the directory file \"" + query.dataFile + "\"");
        doc_.newDocument();
    }

    void operator()(const SetDocument& action)
    {
        if (!doc_.openDocument(action.path)) throw UsageError(windows_.message);
    }
    void operator()(const SetCentre& action)
    {
        MapOptions options = doc_.shownMapOptions();
        options.centreText = action.text;
        doc_.applyMapOptions(options);
    }
    void operator()(const SetRadius& action)
    {
        MapOptions options = doc_.shownMapOptions();
        options.radius = action.metres;
        doc_.applyMapOptions(options);
    }
    void operator()(const SetReference& action)
    {
        MapOptions options = doc_.shownMapOptions();
        options.referenceSystem = action.system;
        doc_.applyMapOptions(options);
    }
    void operator()(const FromTower& action)
    {
        const Tower* tower = doc_.database()->tower(action.id);
        if (tower == nullptr)
            throw UsageError("no tower with id " + std::to_string(action.id) + " in the directory");
        // A pick, then the map's drawing of the picked tower, which makes it the reference point.
        doc_.setCurrentTower(tower);
        doc_.measureFromCurrentTower();
    }
    void operator()(const Select& action)
    {
        const bool testsAField = action.mode == StepMode::And || action.mode == StepMode::Or ||
                                 action.mode == StepMode::Xor;
        const int entry = testsAField ? entryNamed(selectionFieldEntries, action.field) : -1;
        doc_.applySelection(
            selectionStepOf({entry, action.from, action.to, action.exclude, action.mode}));
    }
    void operator()(const Sort& action)
    {
        const FieldChoice choice = fieldOfEntry(sortFieldEntries, entryNamed(sortFieldEntries, action.field));
        SortKeys keys = doc_.database()->sortKeys;
        keys[sortKeysGiven_++] = SortKey{choice.userField, choice.field, action.descending};
        doc_.applySortKeys(keys);
    }

    void write(Output output, std::ostream& out)
    {
        const TowerDatabase& database = *doc_.database();
        switch (output) {
        case Output::List:
            for (std::int32_t i = 0; i < doc_.displayedCount(); ++i) out << doc_.listLine(i) << '\n';
            break;
        case Output::Csv:
            doc_.writeExport(out);
            break;
        case Output::Ids:
            for (const TowerId id : database.displayOrder) out << id << '\n';
            break;
        }
        out.flush();
    }

private:
    ConsoleWindows& windows_;
    VeskDoc doc_;
    int sortKeysGiven_ = 0;
};

}  // namespace

int runVeskQuery(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    // Each run starts as the viewer does: reference system OS, no user-defined fields.
    referenceSystem = ReferenceSystem::OS;
    resetUserFields();
    try {
        const Query query = parseArguments(arguments);
        if (query.help) {
            out << veskQueryUsage;
            return 0;
        }
        ConsoleWindows windows;
        QueryRun run(windows, query);
        for (const Action& action : query.actions) std::visit(run, action);
        run.write(query.output, out);
        return out ? 0 : 1;
    } catch (const UsageError& error) {
        err << "veskquery: " << oneLine(error.what()) << '\n';
        return 2;
    }
}
